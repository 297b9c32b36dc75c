#pragma once

#include "FieldMap.h"
#include "ViewState.h"

#include <QHash>
#include <QObject>

#include <optional>

class GpsGridModel;
class MapTable;
class QTableView;
struct ProgramState;

// Ties the GPS grid to the map and shows the quality of each measurement:
// the largest DOP of every listed measurement is read from its description
// file when the grid is loaded; rows above the threshold are tinted, with
// the reason in the tooltip. A measurement under the pointer shows file,
// date, points and largest DOP; a double click on the map makes its row
// current; the current row is outlined on the map.
class GpsMapLink : public QObject {
    Q_OBJECT
public:
    GpsMapLink(ProgramState& state, const ViewState& view, const FieldMap& map, QTableView* grid,
               GpsGridModel* model, QObject* parent = nullptr);

    // The largest DOP of the measurement dateiname; nothing when its
    // description file is missing or gives none.
    std::optional<double> maxDop(const QString& dateiname) const;
    // Row of the measurement drawn from table; -1 when it is none listed.
    int rowOf(const MapTable& table) const;
    QString describe(const MapTable& table, int shape) const;
    bool choose(const MapTable& table);
    // After the map has drawn measurements: outline the current one.
    void shown();

private:
    void readDops();
    void highlightCurrent();

    ProgramState& m_state;
    const ViewState& m_view;
    const FieldMap& m_map;
    QTableView* m_grid;
    GpsGridModel* m_model;
    QHash<QString, std::optional<double>> m_dops; // by dateiname, trimmed and case folded
};
