#pragma once

#include "MapExtent.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QVector>

class MapTable;
class MapView;
struct MapShape;

// Finds the polygon under a point of the map among the shapes the views
// already hold (nothing is read again). Rings of one shape count by the
// odd-even rule, as they are drawn: a point in a hole lies outside that
// shape (and inside a plot lying in the hole), and every part of a
// multi-part shape counts. Views drawn later lie on top and are found first.
//
// build() sorts every polygon shape into a grid of cells by its bounding
// box, so that a look-up tests only the few shapes whose boxes hold the
// point: cheap enough for every pointer position on 10,000 plots.
class PlotHitTest {
public:
    struct Hit {
        const MapView* view = nullptr;
        const MapTable* table = nullptr;
        int shape = -1; // index into table->shapes()
        bool found() const { return table != nullptr; }
    };

    // Indexes the polygon shapes of views (in drawing order); lines and
    // points are left out.
    void build(const QList<const MapView*>& views);
    void clear();
    int shapeCount() const { return int(m_entries.size()); }

    // The topmost shape containing (x, y) in metres; none when no shape does.
    Hit hitAt(double x, double y) const;

    // Whether point lies inside shape by the odd-even rule over all its parts.
    static bool contains(const MapShape& shape, const QPointF& point);

private:
    struct Entry {
        const MapView* view;
        const MapTable* table;
        int shape;
    };
    int cellOf(double x, double y) const;

    QVector<Entry> m_entries;       // in drawing order
    QVector<QVector<int>> m_cells;  // entry indices per cell, ascending
    MapExtent m_extent;
    int m_columns = 0;
    int m_rows = 0;
    double m_cellWidth = 1;
    double m_cellHeight = 1;
};

// Tables of the map found by the shapefile they were read from.
namespace MapTableLookup {

// The table read from shpPath: the path as written, else the same path in
// another case (a staging folder lists its files as it finds them). Null
// when no view draws it.
const MapTable* find(const QList<const MapView*>& views, const QString& shpPath);

// The extent of the tables read from shpPaths; invalid when none is drawn.
MapExtent extentOf(const QList<const MapView*>& views, const QStringList& shpPaths);

} // namespace MapTableLookup
