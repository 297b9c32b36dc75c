#pragma once

#include "GpsLinks.h"
#include "OperationError.h"
#include "ViewState.h"

#include <QList>
#include <QWidget>

class GpsGridModel;
class GpsMapLink;
class OrderedSelection;
class QTableView;
class QToolBar;
struct ProgramState;
struct TextKey;

// gpsdaten: the GPS window. Its grid grdgpsdaten lists the measurements of
// the GPS source folder; the chosen ones are drawn in blue on the main
// window's map with their total area. Toolbar mnu changes the source folder
// (tb1pfad), assigns measurements to the current farm (tb1uebernehmen, also a
// double click) and deletes them (tb1loeschen). The window is at least 2835
// twips wide and 1500 twips high. Failures reach the user as
// one message each; the wait pointer and anzeigesperre are restored on every
// path.
class GpsWindow : public QWidget {
    Q_OBJECT
public:
    GpsWindow(ProgramState& state, ViewState& view, GpsLinks links, QWidget* owner = nullptr);
    ~GpsWindow() override;

    // Loading: translates itself, sorts by name and imports the source
    // folder. The main window holds the window in a dock.
    void load();
    void translate();

    // Lets the user choose the GPS source folder, then imports it.
    void gpspfadwaehlen();
    // Rebuilds gpsdaten from the source folder, reloads the grid and draws.
    void gpsdateneinlesen();
    // Reloads the grid in the order gpssortierung names.
    void gpsdatenladen();
    // Draws the selected measurements (or the current one) unless
    // anzeigesperre is set.
    void gpsdatenanzeigen();
    // Asks, then deletes the working files of the chosen measurements.
    void gpsdatenloeschen();
    // Assigns the chosen measurements to the field window's current farm.
    void gpsdatenzuordnen();
    // The measurements on the map: identify, highlight and the DOP marks.
    GpsMapLink* mapLink() const { return m_mapLink; }

    // Sizes in twips: the least width and height, the height when floating
    // for the first time.
    static constexpr int defaultHeight = 5700, fixedWidth = 2835, leastHeight = 1500;

private:
    void buildControls();
    // tb1uebernehmen and a double click: assigns, then shows the field window.
    void assignAndShowFarm();
    // tb1loeschen: deletes the chosen measurements, imports again and draws.
    void deleteChosen();
    void onHeaderClicked(int column);
    void onCurrentRowChanged();
    QStringList chosenMeasurements() const;
    // One message for the problems of a run: a link left alone, a
    // description file that is missing or short, or a list of files.
    void reportProblems(const TextKey& key, const QList<OperationError>& problems);

    ProgramState& m_state;
    ViewState& m_view;
    GpsLinks m_links;
    QWidget* m_owner;
    GpsGridModel* m_model = nullptr;
    QTableView* m_grid = nullptr; // grdgpsdaten
    OrderedSelection* m_selection = nullptr;
    QToolBar* m_tools = nullptr; // mnu
    bool m_currentDrawQueued = false;
    GpsMapLink* m_mapLink = nullptr;
};
