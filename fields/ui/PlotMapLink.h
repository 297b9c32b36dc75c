#pragma once

#include "FieldLayers.h"
#include "FieldMap.h"
#include "FieldRows.h"
#include "ViewState.h"

#include <QHash>
#include <QObject>
#include <functional>

class FarmGridModel;
class GridFilter;
class MapTable;
class PlotGridModel;
class QTableView;
struct ProgramState;

// Ties the field grid to the map: which plot each drawn shapefile is, the
// tooltip of a plot under the pointer, a double click on the map making the
// plot's row current, the current row outlined on the map, and zooming to
// the chosen plots, one plot or one farm (the grids' context menus).
class PlotMapLink : public QObject {
    Q_OBJECT
public:
    // A grid: the view, its model and the find filter between them.
    template <typename Model> struct Grid {
        QTableView* view;
        Model* model;
        GridFilter* filter;
    };
    // chosen: the plots the map shows (the grid's selection, or its current row).
    PlotMapLink(ProgramState& state, const ViewState& view, const FieldMap& map,
                Grid<FarmGridModel> farms, Grid<PlotGridModel> plots,
                std::function<QList<PlotRow>()> chosen, QObject* parent = nullptr);

    // After the map has drawn plots: the shapefile each of them was read from.
    void shown(const QList<PlotRow>& plots, const FieldLayers::Staged& staged);

    // The model row of the plot drawn from table; -1 when it is not a plot
    // listed in the field grid.
    int rowOf(const MapTable& table) const;
    // Tooltip of the plot drawn from table: farm, name, number, crop, area
    // stored and from the geometry, year; "" when it is no listed plot.
    QString describe(const MapTable& table) const;
    // A double click on the plot: its row becomes current (the selection, and
    // with it the map, stays) and the farm and field grids show it; a find
    // text that hides the row is cleared.
    bool choose(const MapTable& table);

    // Zooms the map to the chosen plots, to the plot of a row, or to the
    // plots of a farm; false when the map draws none of them. A farm whose
    // plots are not drawn becomes the chosen farm (which draws and shows them).
    bool zoomToSelection();
    bool zoomToPlot(int row); // a model row
    bool zoomToFarm(const QString& farm);

    // The shapefile the plot with this bookmark was drawn from; "" if none.
    QString fileOf(qint64 rowid) const { return m_fileOf.value(rowid); }

private:
    void highlightCurrent();
    bool zoomTo(const QList<qint64>& rowids);
    void fieldMenu(const QPoint& pos);
    void farmMenu(const QPoint& pos);

    // The grid's index of a model row (column 0 or column), invalid when hidden.
    QModelIndex shownPlot(int row, int column = 0) const;
    QModelIndex shownFarm(int row) const;
    int farmRowOf(const QString& farm) const;

    ProgramState& m_state;
    const ViewState& m_view;
    const FieldMap& m_map;
    QTableView* m_farmGrid;
    FarmGridModel* m_farms;
    GridFilter* m_farmFilter;
    QTableView* m_fieldGrid;
    PlotGridModel* m_plots;
    GridFilter* m_plotFilter;
    std::function<QList<PlotRow>()> m_chosen;
    QHash<qint64, QString> m_fileOf;       // bookmark -> .shp drawn
    QHash<QString, qint64> m_rowidOf;      // .shp drawn -> bookmark
    // The same, case folded; made on the first look-up that needs it, as
    // folding thousands of paths on every click costs more than it serves.
    mutable QHash<QString, qint64> m_rowidOfFolded;
};
