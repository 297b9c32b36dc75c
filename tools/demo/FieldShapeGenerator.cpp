#include "FieldShapeGenerator.h"

#include "DemoRandom.h"
#include "PolygonMeasures.h"

#include <QTransform>

#include <cmath>

namespace FieldShapeGenerator {

namespace {
constexpr double pi = 3.14159265358979323846;

// Corners at increasing angles around the origin, so the outline is
// star-shaped and therefore simple; the linear stretch and turn that follow
// keep it so.
QList<QPointF> unitOutline(DemoRandom& random, int corners)
{
    const double step = 2 * pi / corners;
    const double start = random.real(0, step);
    const double aspect = random.real(1.0, 2.6);
    const double turn = random.real(0, 180);
    QTransform stretch;
    stretch.rotate(turn);
    stretch.scale(aspect, 1.0);

    QList<QPointF> outline;
    for (int i = 0; i < corners; ++i) {
        const double angle = start + i * step + random.real(-0.25, 0.25) * step;
        const double radius = random.real(0.78, 1.0);
        outline.append(stretch.map(QPointF(radius * std::cos(angle), radius * std::sin(angle))));
    }
    return outline;
}

QRectF boundsOf(const QList<QPointF>& points)
{
    double left = points.first().x(), right = left, top = points.first().y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

double toCentimetres(double metres)
{
    return std::round(metres * 100) / 100;
}
} // namespace

QList<QPointF> generate(DemoRandom& random, const QRectF& cell, const Options& options)
{
    const int corners = random.integer(options.minCorners, options.maxCorners);
    const QList<QPointF> outline = unitOutline(random, corners);

    // Small fields are more common than large ones.
    const double u = random.unit();
    const double wantedM2 =
        (options.minAreaHa + (options.maxAreaHa - options.minAreaHa) * u * u) * 10000;
    const QRectF unitBounds = boundsOf(outline);
    const QRectF room = cell.adjusted(options.marginMetres, options.marginMetres,
                                      -options.marginMetres, -options.marginMetres);
    double scale = std::sqrt(wantedM2 / PolygonMeasures::areaSquareMetres(outline));
    scale =
        std::min({scale, room.width() / unitBounds.width(), room.height() / unitBounds.height()});

    // Where the scaled outline may sit in the cell: its bounds anywhere in room.
    const double width = unitBounds.width() * scale, height = unitBounds.height() * scale;
    const double left = room.left() + random.unit() * (room.width() - width);
    const double bottom = room.top() + random.unit() * (room.height() - height);

    QList<QPointF> ring;
    for (const QPointF& p : outline) {
        ring.append(QPointF(toCentimetres(left + (p.x() - unitBounds.left()) * scale),
                            toCentimetres(bottom + (p.y() - unitBounds.top()) * scale)));
    }
    return PolygonMeasures::closedClockwise(ring);
}

} // namespace FieldShapeGenerator
