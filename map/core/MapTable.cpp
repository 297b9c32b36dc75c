#include "MapTable.h"

#include <QFileInfo>

MapTable::MapTable(const QString& filePath, MapGeometry geometry, QList<MapShape> shapes)
    : m_filePath(filePath), m_baseName(QFileInfo(filePath).completeBaseName()), m_text(m_baseName),
      m_geometry(geometry), m_shapes(std::move(shapes))
{
    for (const MapShape& shape : std::as_const(m_shapes)) {
        m_bounds.include(shape.bounds);
        for (const QPolygonF& part : shape.parts)
            m_vertexCount += int(part.size());
    }
}

QPainterPath shapePath(const MapShape& shape, MapGeometry geometry)
{
    QPainterPath path;
    if (geometry == MapGeometry::Point)
        return path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QPolygonF& part : shape.parts) {
        path.addPolygon(part);
        if (geometry == MapGeometry::Polygon)
            path.closeSubpath();
    }
    return path;
}
