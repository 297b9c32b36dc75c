#include "PlotHitTest.h"

#include "MapTable.h"
#include "MapView.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace {
// About this many shapes per cell on average; at most this many cells.
constexpr double shapesPerCell = 4.0;
constexpr int mostCells = 1 << 18;
} // namespace

void PlotHitTest::clear()
{
    m_entries.clear();
    m_cells.clear();
    m_extent = {};
    m_columns = m_rows = 0;
}

void PlotHitTest::build(const QList<const MapView*>& views)
{
    clear();
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            if (table->geometry() != MapGeometry::Polygon)
                continue;
            const QList<MapShape>& shapes = table->shapes();
            for (int s = 0; s < shapes.size(); ++s) {
                if (!shapes.at(s).bounds.valid)
                    continue;
                m_entries.append({view, table.get(), s});
                m_extent.include(shapes.at(s).bounds);
            }
        }
    }
    if (m_entries.isEmpty())
        return;
    // A square-ish grid over the extent with a few shapes per cell.
    const double cells = std::clamp(double(m_entries.size()) / shapesPerCell, 1.0, double(mostCells));
    const double width = std::max(m_extent.width(), 1e-9);
    const double height = std::max(m_extent.height(), 1e-9);
    const double side = std::sqrt(width * height / cells);
    m_columns = std::clamp(int(std::ceil(width / side)), 1, mostCells);
    m_rows = std::clamp(int(std::ceil(height / side)), 1, std::max(1, mostCells / m_columns));
    m_cellWidth = width / m_columns;
    m_cellHeight = height / m_rows;
    m_cells.resize(qsizetype(m_columns) * m_rows);
    for (int i = 0; i < m_entries.size(); ++i) {
        const MapExtent& box = m_entries.at(i).table->shapes().at(m_entries.at(i).shape).bounds;
        const int c0 = cellOf(box.minX, box.minY);
        const int c1 = cellOf(box.maxX, box.maxY);
        for (int row = c0 / m_columns; row <= c1 / m_columns; ++row)
            for (int column = c0 % m_columns; column <= c1 % m_columns; ++column)
                m_cells[qsizetype(row) * m_columns + column].append(i);
    }
}

int PlotHitTest::cellOf(double x, double y) const
{
    const int column = std::clamp(int((x - m_extent.minX) / m_cellWidth), 0, m_columns - 1);
    const int row = std::clamp(int((y - m_extent.minY) / m_cellHeight), 0, m_rows - 1);
    return row * m_columns + column;
}

PlotHitTest::Hit PlotHitTest::hitAt(double x, double y) const
{
    if (m_entries.isEmpty() || !std::isfinite(x) || !std::isfinite(y) ||
        !m_extent.intersects(MapExtent::of(x, y, x, y)))
        return {};
    const QVector<int>& cell = m_cells.at(cellOf(x, y));
    const QPointF point(x, y);
    for (auto i = cell.crbegin(); i != cell.crend(); ++i) {
        const Entry& entry = m_entries.at(*i);
        const MapShape& shape = entry.table->shapes().at(entry.shape);
        if (shape.bounds.intersects(MapExtent::of(x, y, x, y)) && contains(shape, point))
            return {entry.view, entry.table, entry.shape};
    }
    return {};
}

bool PlotHitTest::contains(const MapShape& shape, const QPointF& point)
{
    // Crossing number: a ray to the right crosses the rings an odd number
    // of times from inside. Rings need not be closed.
    bool inside = false;
    for (const QPolygonF& ring : shape.parts) {
        const qsizetype n = ring.size();
        if (n < 3)
            continue;
        for (qsizetype i = 0, j = n - 1; i < n; j = i++) {
            const QPointF& a = ring.at(i);
            const QPointF& b = ring.at(j);
            if ((a.y() > point.y()) != (b.y() > point.y()) &&
                point.x() < (b.x() - a.x()) * (point.y() - a.y()) / (b.y() - a.y()) + a.x())
                inside = !inside;
        }
    }
    return inside;
}

namespace MapTableLookup {

const MapTable* find(const QList<const MapView*>& views, const QString& shpPath)
{
    const MapTable* otherCase = nullptr;
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            if (table->filePath() == shpPath)
                return table.get();
            if (!otherCase && table->filePath().compare(shpPath, Qt::CaseInsensitive) == 0)
                otherCase = table.get();
        }
    }
    return otherCase;
}

MapExtent extentOf(const QList<const MapView*>& views, const QStringList& shpPaths)
{
    // One pass over the tables, so that thousands of paths cost no more than one.
    QHash<QString, const MapTable*> exact;
    QHash<QString, const MapTable*> anyCase;
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            exact.insert(table->filePath(), table.get());
            anyCase.insert(table->filePath().toCaseFolded(), table.get());
        }
    }
    MapExtent extent;
    for (const QString& path : shpPaths) {
        const MapTable* table = exact.value(path, anyCase.value(path.toCaseFolded()));
        if (table)
            extent.include(table->bounds());
    }
    return extent;
}

} // namespace MapTableLookup
