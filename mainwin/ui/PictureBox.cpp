#include "PictureBox.h"

#include "Twips.h"

#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pichaupt"));
    setAutoFillBackground(true);
}

void PictureBox::setMarks(const QList<RulerMark>& marks)
{
    m_marks = marks;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // One logical unit is one twip.
    p.scale(1.0 / Twips::perPixel, 1.0 / Twips::perPixel);
    p.setPen(QPen(Qt::black, 0));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(7);
    p.setFont(font);
    const QFontMetricsF metrics(font, this);
    const double twipsPerFontPixel = Twips::perPixel;
    QList<RulerMark> marks = m_marks;
    RulerMarks::dropCrowdedLabels(
        marks,
        [&](const QString& label) { return metrics.horizontalAdvance(label) * twipsPerFontPixel; },
        metrics.averageCharWidth() * twipsPerFontPixel);
    for (const RulerMark& mark : std::as_const(marks)) {
        if (mark.major) {
            p.drawLine(QPointF(mark.x, 225), QPointF(mark.x, 300));
            if (!mark.label.isEmpty()) {
                const double width = metrics.horizontalAdvance(mark.label) * twipsPerFontPixel;
                const double left = mark.leftAligned ? mark.x : mark.x - width / 2;
                p.save();
                p.translate(left, 15);
                p.scale(twipsPerFontPixel, twipsPerFontPixel);
                p.drawText(QPointF(0, metrics.ascent()), mark.label);
                p.restore();
            }
        } else {
            p.drawLine(QPointF(mark.x, 255), QPointF(mark.x, 300));
        }
    }
}
