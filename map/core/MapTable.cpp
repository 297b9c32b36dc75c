#include "MapTable.h"

#include <QFileInfo>

MapTable::MapTable(const QString& filePath, MapGeometry geometry, QList<MapShape> shapes)
    : m_filePath(filePath), m_baseName(QFileInfo(filePath).completeBaseName()), m_text(m_baseName),
      m_geometry(geometry), m_shapes(std::move(shapes))
{
    for (MapShape& shape : m_shapes) {
        m_bounds.include(shape.bounds);
        for (const QPolygonF& part : std::as_const(shape.parts))
            m_vertexCount += int(part.size());
        shape.path = QPainterPath();
        if (geometry == MapGeometry::Point)
            continue;
        shape.path.setFillRule(Qt::OddEvenFill);
        for (const QPolygonF& part : std::as_const(shape.parts)) {
            shape.path.addPolygon(part);
            if (geometry == MapGeometry::Polygon)
                shape.path.closeSubpath();
        }
    }
}
