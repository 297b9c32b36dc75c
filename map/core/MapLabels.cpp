#include "MapLabels.h"

#include "LabelLayout.h"
#include "LabelPointCache.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

LabelStyle LabelStyle::screen()
{
    LabelStyle style;
    style.font.setPixelSize(12);
    style.font.setBold(true);
    style.halo = 2.5;
    return style;
}

LabelStyle LabelStyle::twips()
{
    LabelStyle style;
    style.font = QFont(QStringLiteral("Arial"));
    style.font.setPixelSize(7 * 20);
    style.font.setBold(true);
    style.font.setHintingPreference(QFont::PreferNoHinting);
    style.halo = 30;
    return style;
}

namespace MapLabels {

QStringList lines(const PlotLabelText& text, bool withArea)
{
    QStringList result{text.name};
    if (withArea && text.areaHa > 0)
        result.append(QLocale().toString(text.areaHa, 'f', 2) + QStringLiteral(" ha"));
    return result;
}

int paint(QPainter& painter, const QRectF& target, const MapExtent& window,
          const QList<const MapView*>& views, const PlotLabels& labels, const LabelStyle& style)
{
    QTransform toTarget;
    if (target.isEmpty() || !MapViewport::fitTransform(window, target, &toTarget))
        return 0;
    const QRectF shownRect = toTarget.inverted().mapRect(target);
    const MapExtent shown =
        MapExtent::of(shownRect.left(), shownRect.top(), shownRect.right(), shownRect.bottom());
    const double perUnit = std::sqrt(std::abs(toTarget.determinant()));
    const QFontMetricsF metrics(style.font);
    const double lineHeight = metrics.height();

    QList<LabelLayout::Candidate> candidates;
    QList<QStringList> texts;
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            if (table->geometry() != MapGeometry::Polygon || !table->bounds().intersects(shown))
                continue;
            const MapExtent& b = table->bounds();
            const QSizeF plot((b.maxX - b.minX) * perUnit, (b.maxY - b.minY) * perUnit);
            // Too small for any label: no point needs working out.
            if (std::min(plot.width(), plot.height()) < lineHeight)
                continue;
            const auto text = labels.texts.constFind(table->filePath());
            const QStringList textLines =
                lines(text != labels.texts.constEnd() ? *text : PlotLabelText{table->baseName()},
                      labels.withArea);
            if (textLines.first().trimmed().isEmpty())
                continue;
            const LabelPoint point = LabelPointCache::shared().of(table);
            if (!point.valid || !shownRect.contains(point.at))
                continue;
            double width = 0;
            for (const QString& line : textLines)
                width = std::max(width, metrics.horizontalAdvance(line));
            candidates.append({toTarget.map(point.at),
                               QSizeF(width, lineHeight * textLines.size()),
                               point.radius * perUnit, plot});
            texts.append(textLines);
        }
    }
    const QList<int> kept = LabelLayout::place(candidates, style.halo);
    if (kept.isEmpty())
        return 0;

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen rim(style.haloColour, 2 * style.halo);
    rim.setJoinStyle(Qt::RoundJoin);
    // The halos of all labels first, then the letters as text (searchable
    // in a PDF, sharp in an SVG), so that no halo covers another's letters.
    QPainterPath halos;
    QList<std::pair<QPointF, QString>> placed;
    for (int i : kept) {
        const LabelLayout::Candidate& c = candidates.at(i);
        double y = c.box().top() + metrics.ascent();
        for (const QString& line : texts.at(i)) {
            const QPointF at(c.centre.x() - metrics.horizontalAdvance(line) / 2, y);
            halos.addText(at, style.font, line);
            placed.append({at, line});
            y += lineHeight;
        }
    }
    painter.strokePath(halos, rim);
    painter.setFont(style.font);
    painter.setPen(style.text);
    for (const auto& [at, line] : placed)
        painter.drawText(at, line);
    painter.restore();
    return int(kept.size());
}

} // namespace MapLabels
