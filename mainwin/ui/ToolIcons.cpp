#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ToolIcons {

namespace {
// A 24 x 24 picture on a transparent ground, drawn by paint (smoothed
// unless sharp edges are asked for).
template <typename Paint> QIcon drawn(Paint paint, bool smooth = true)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    {
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, smooth);
        paint(p);
    }
    return QIcon(pixmap);
}

// A coloured disc with one white letter.
QIcon badge(const QColor& colour, const QString& letter)
{
    return drawn([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(2, 2, 20, 20);
        p.setPen(Qt::white);
        p.setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
        p.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, letter);
    });
}

QIcon magnifier(bool plus)
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(QColor(220, 235, 250));
        p.drawEllipse(QPointF(10, 10), 7, 7);
        p.setPen(QPen(QColor(40, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(15, 15), QPointF(21, 21));
        p.setPen(QPen(QColor(20, 90, 20), 2));
        p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
        if (plus)
            p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    });
}

QIcon arrow(double angleDegrees)
{
    return drawn([&](QPainter& p) {
        p.translate(12, 12);
        p.rotate(angleDegrees);
        QPainterPath path;
        path.moveTo(-9, 0);
        path.lineTo(-1, -8);
        path.lineTo(-1, -3.5);
        path.lineTo(9, -3.5);
        path.lineTo(9, 3.5);
        path.lineTo(-1, 3.5);
        path.lineTo(-1, 8);
        path.closeSubpath();
        p.setPen(QPen(QColor(30, 60, 120), 1));
        p.setBrush(QColor(70, 120, 200));
        p.drawPath(path);
    });
}

QIcon showAll()
{
    return drawn(
        [&](QPainter& p) {
            p.setPen(QPen(QColor(40, 40, 40), 1.5));
            p.setBrush(QColor(230, 200, 80));
            p.drawRect(4, 4, 7, 7);
            p.setBrush(QColor(120, 180, 90));
            p.drawRect(13, 4, 7, 7);
            p.setBrush(QColor(200, 140, 90));
            p.drawRect(4, 13, 16, 7);
        },
        false);
}

// A plot inside the corners of a frame: zoom to the chosen plots.
QIcon zoomToSelection()
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(20, 20, 20), 1.5));
        p.setBrush(QColor(120, 180, 90));
        p.drawPolygon(QPolygonF({{7, 8}, {17, 6}, {18, 16}, {8, 18}}));
        p.setPen(QPen(QColor(0, 150, 200), 2));
        for (const QPointF corner : {QPointF(2, 2), QPointF(22, 2), QPointF(22, 22), QPointF(2, 22)}) {
            const double dx = corner.x() < 12 ? 5 : -5;
            const double dy = corner.y() < 12 ? 5 : -5;
            p.drawLine(corner, corner + QPointF(dx, 0));
            p.drawLine(corner, corner + QPointF(0, dy));
        }
    });
}

QIcon printer()
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 2.5, 10, 8)); // paper going in
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(2.5, 9.5, 19, 8), 2, 2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 14.5, 11, 7)); // printed sheet
        p.setPen(QPen(QColor(60, 130, 60), 1));
        p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
        p.drawLine(QPointF(8.5, 19.2), QPointF(13.5, 19.2));
    });
}

QIcon envelope()
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.5));
        p.setBrush(QColor(250, 245, 225));
        p.drawRect(QRectF(2.5, 5.5, 19, 13));
        p.drawPolyline(QPolygonF({QPointF(2.5, 5.5), QPointF(12, 13), QPointF(21.5, 5.5)}));
    });
}

QIcon globe()
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(30, 80, 140), 1.5));
        p.setBrush(QColor(150, 200, 240));
        p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(12, 12), 4, 9.5);
        p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
        p.drawLine(QPointF(4, 7), QPointF(20, 7));
        p.drawLine(QPointF(4, 17), QPointF(20, 17));
    });
}

QIcon exitDoor()
{
    return drawn([&](QPainter& p) {
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(QColor(170, 120, 70));
        p.drawRect(5, 3, 11, 18);
        p.setPen(QPen(QColor(180, 30, 30), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(21, 12));
        p.drawLine(QPointF(18, 9), QPointF(21, 12));
        p.drawLine(QPointF(18, 15), QPointF(21, 12));
    });
}
} // namespace

QIcon forTool(const QString& name)
{
    if (name == QLatin1String("tb1vergroessern"))
        return magnifier(true);
    if (name == QLatin1String("tb1verkleinern"))
        return magnifier(false);
    if (name == QLatin1String("tb1alles"))
        return showAll();
    if (name == QLatin1String("tb1auswahl"))
        return zoomToSelection();
    if (name == QLatin1String("tb1links"))
        return arrow(0);
    if (name == QLatin1String("tb1rechts"))
        return arrow(180);
    if (name == QLatin1String("tb1oben"))
        return arrow(90);
    if (name == QLatin1String("tb1unten"))
        return arrow(270);
    if (name == QLatin1String("tb1drucken"))
        return printer();
    if (name == QLatin1String("tb1hilfe"))
        return badge(QColor(40, 100, 190), QStringLiteral("?"));
    if (name == QLatin1String("tb1email"))
        return envelope();
    if (name == QLatin1String("tb1internet"))
        return globe();
    if (name == QLatin1String("tb1info"))
        return badge(QColor(40, 130, 60), QStringLiteral("i"));
    if (name == QLatin1String("tb1ende"))
        return exitDoor();
    return {};
}

} // namespace ToolIcons
