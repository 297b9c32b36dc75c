#include "PolygonMeasures.h"

#include <QLineF>

#include <algorithm>

namespace PolygonMeasures {

bool isClosed(const QList<QPointF>& ring)
{
    return ring.size() > 1 && ring.first() == ring.last();
}

double signedArea(const QList<QPointF>& ring)
{
    if (ring.size() < 3)
        return 0;
    // Relative to the first vertex: map coordinates around 5e6 would cost
    // digits in the products otherwise.
    const QPointF origin = ring.first();
    double twice = 0;
    const qsizetype n = ring.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF a = ring.at(i) - origin;
        const QPointF b = ring.at((i + 1) % n) - origin;
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

double areaSquareMetres(const QList<QPointF>& ring)
{
    return std::abs(signedArea(ring));
}

double perimeter(const QList<QPointF>& ring)
{
    if (ring.size() < 2)
        return 0;
    double length = 0;
    for (qsizetype i = 1; i < ring.size(); ++i)
        length += QLineF(ring.at(i - 1), ring.at(i)).length();
    if (!isClosed(ring))
        length += QLineF(ring.last(), ring.first()).length();
    return length;
}

QList<QPointF> closedClockwise(QList<QPointF> ring)
{
    if (ring.isEmpty())
        return ring;
    if (signedArea(ring) > 0)
        std::reverse(ring.begin(), ring.end());
    if (!isClosed(ring))
        ring.append(ring.first());
    return ring;
}

} // namespace PolygonMeasures
