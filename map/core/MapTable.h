#pragma once

#include "MapExtent.h"

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>

// How the records of a shapefile are drawn.
enum class MapGeometry {
    Polygon, // filled areas; several rings per shape, holes by odd-even rule
    Line,    // open polylines
    Point,   // markers at every vertex
};

// One record of a shapefile: its parts (rings of a polygon, lines of a
// polyline, or the points of a multipoint) in metres.
struct MapShape {
    QList<QPolygonF> parts;
    MapExtent bounds;
};

// All parts of shape in one path: polygon rings closed and filled by the
// odd-even rule, so holes stay open; lines open. Empty for points. Made when
// drawn, not kept: a path holds every vertex a second time, in half as much
// memory again.
QPainterPath shapePath(const MapShape& shape, MapGeometry geometry);

// One shapefile read into memory: no file stays open after reading.
class MapTable {
public:
    MapTable(const QString& filePath, MapGeometry geometry, QList<MapShape> shapes);

    // A table is always a single table.
    int Kind() const { return 1; }

    QString filePath() const { return m_filePath; }
    // File name without its last suffix ("plot.v2" of "plot.v2.SHP").
    QString baseName() const { return m_baseName; }
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    MapGeometry geometry() const { return m_geometry; }
    const QList<MapShape>& shapes() const { return m_shapes; }
    int vertexCount() const { return m_vertexCount; }
    // Invalid for a table without shapes.
    const MapExtent& bounds() const { return m_bounds; }

private:
    QString m_filePath;
    QString m_baseName;
    QString m_text;
    MapGeometry m_geometry;
    QList<MapShape> m_shapes;
    MapExtent m_bounds;
    int m_vertexCount = 0; // of all parts, counted once: the shape cache sums them often
};
