#include "ShapeMeasures.h"

#include "MapTable.h"

#include <QLineF>

#include <cmath>

namespace {

// Shoelace area of a ring in m², relative to its first vertex so that map
// coordinates around 5e6 keep their digits; positive or negative by turn.
double signedArea(const QPolygonF& ring)
{
    const qsizetype n = ring.size();
    if (n < 3)
        return 0;
    const QPointF origin = ring.first();
    double twice = 0;
    QPointF a = ring.at(n - 1) - origin;
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF b = ring.at(i) - origin;
        twice += a.x() * b.y() - b.x() * a.y();
        a = b;
    }
    return twice / 2;
}

double ringLength(const QPolygonF& ring)
{
    if (ring.size() < 2)
        return 0;
    double length = 0;
    for (qsizetype i = 1; i < ring.size(); ++i)
        length += QLineF(ring.at(i - 1), ring.at(i)).length();
    if (ring.first() != ring.last())
        length += QLineF(ring.last(), ring.first()).length();
    return length;
}

// How many other rings of the record enclose ring index: a vertex of the
// ring that lies inside them (rings of a valid file do not cross).
int nestingDepth(const QList<QPolygonF>& rings, qsizetype index)
{
    const QPolygonF& ring = rings.at(index);
    if (ring.isEmpty())
        return 0;
    const QRectF box = ring.boundingRect();
    int depth = 0;
    for (qsizetype other = 0; other < rings.size(); ++other) {
        if (other == index || !rings.at(other).boundingRect().contains(box))
            continue;
        for (const QPointF& vertex : ring) {
            if (rings.at(other).contains(vertex))
                continue; // a shared vertex tells nothing
            if (rings.at(other).containsPoint(vertex, Qt::OddEvenFill))
                ++depth;
            break;
        }
    }
    return depth;
}

} // namespace

namespace ShapeMeasures {

Measures of(const MapTable& table)
{
    Measures measures;
    if (table.geometry() != MapGeometry::Polygon)
        return measures;
    measures.areaSquareMetres = areaSquareMetres(table);
    for (const MapShape& shape : table.shapes())
        for (const QPolygonF& ring : shape.parts)
            measures.perimeterMetres += ringLength(ring);
    return measures;
}

double areaSquareMetres(const MapTable& table)
{
    if (table.geometry() != MapGeometry::Polygon)
        return 0;
    double total = 0;
    for (const MapShape& shape : table.shapes()) {
        double area = 0;
        for (qsizetype i = 0; i < shape.parts.size(); ++i) {
            const double ringArea = std::abs(signedArea(shape.parts.at(i)));
            area += nestingDepth(shape.parts, i) % 2 == 0 ? ringArea : -ringArea;
        }
        total += std::max(0.0, area);
    }
    return total;
}

bool inDegrees(const MapTable& table, const QString& prjText)
{
    const QString prj = prjText.trimmed();
    if (prj.startsWith(QLatin1String("GEOGCS"), Qt::CaseInsensitive))
        return true;
    if (prj.startsWith(QLatin1String("PROJCS"), Qt::CaseInsensitive))
        return false;
    const MapExtent& bounds = table.bounds();
    if (!bounds.valid)
        return false;
    return bounds.minX >= -180 && bounds.maxX <= 180 && bounds.minY >= -90 && bounds.maxY <= 90;
}

} // namespace ShapeMeasures
