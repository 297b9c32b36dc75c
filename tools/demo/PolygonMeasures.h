#pragma once

#include <QList>
#include <QPointF>

// Plane measures of a polygon ring in metres. A ring may be given open or
// closed (last point equal to the first); both give the same results.
namespace PolygonMeasures {

bool isClosed(const QList<QPointF>& ring);
// Shoelace area in m²: positive for a counter-clockwise ring (y pointing up,
// as in map coordinates), negative for a clockwise one.
double signedArea(const QList<QPointF>& ring);
double areaSquareMetres(const QList<QPointF>& ring);
// Length of the boundary in metres, closing edge included.
double perimeter(const QList<QPointF>& ring);
// The ring closed and turned clockwise, as a shapefile outer ring must be.
QList<QPointF> closedClockwise(QList<QPointF> ring);

} // namespace PolygonMeasures
