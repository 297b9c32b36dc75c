#pragma once

#include "FieldFolderSync.h"
#include "FieldLayers.h"
#include "FieldMap.h"
#include "FieldRows.h"
#include "OperationError.h"
#include "ViewState.h"

#include <QWidget>

class FarmGridModel;
class FarmListings;
class GridFilter;
class OrderedSelection;
class PlotGridModel;
class PlotMapLink;
class QSplitter;
class QTableView;
class QToolBar;
struct ProgramState;

// schlagdaten: the farm and field window. The farm grid grdbetriebe lists
// the farms, the field grid grdschlagdaten the plots of the chosen farms;
// picking farms synchronises them with their folders and draws their plots,
// picking plots draws just those. Toolbar mnu1 creates (tb1neu) and deletes
// (tb1loeschen) farms, mnu2 deletes plots (tb2loeschen). The find fields
// txtsuchebetriebe and txtsucheschlaege above the grids narrow their rows as
// one types (Ctrl+F goes to the one of the grid in use, Esc clears it); the
// selection, the map and edits keep to the rows shown. Failures reach the
// user as one message each; the wait pointer and anzeigesperre are restored
// on every path.
class FieldWindow : public QWidget {
    Q_OBJECT
public:
    FieldWindow(ProgramState& state, ViewState& view, FieldMap map, QWidget* owner = nullptr);
    ~FieldWindow() override;

    // Loading: translates itself, resets both sort orders and loads the
    // farms. The main window holds the window in a dock.
    void load();
    // Replaces the texts by the catalogue's in the current language.
    void translate();

    void betriebanlegen();
    // Reloads the farm list and chooses the farm named (ignoring case), or
    // the first farm.
    void betriebesortieren(const QString& chosenFarm = QString());
    void betriebloeschen();
    void betriebsdatenladen(const QString& chosenFarm = QString());
    // F5: new farm folders join the farm list, then the chosen farms are
    // synchronised and drawn again (plot files added since are taken up).
    void refresh();
    void schlagdatenloeschen();
    // Field folder synchronisation of the chosen farms, then reload, select
    // all plots and draw them.
    void schlagdatenabgleichen();
    void schlagdatenladen();
    void schlagdatenmarkieren();
    // Draws the selected plots (or the current one) unless anzeigesperre is set.
    void schlagdatenanzeigen();
    // The grid's selected plots in the order of selection, or the current
    // plot alone when none is selected (then *fromSelection is false).
    QList<PlotRow> chosenPlots(bool* fromSelection = nullptr) const;

    // The farm list as an assignment of GPS measurements asks it: the number
    // of farms, of explicitly selected farm rows, and the current farm's name
    // ("" when the list is empty).
    int farmCount() const;
    int selectedFarmCount() const;
    QString currentFarm() const;
    // The plots on the map: identify, highlight and zooming from the grids.
    PlotMapLink* mapLink() const { return m_mapLink; }

    // Size when floating for the first time, in twips.
    static constexpr int defaultHeight = 2925, defaultWidth = 10095;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // The user turned to the window: new farm folders are taken up and the
    // plots drawn again when the map shows measurements.
    void onActivated();
    // New farm folders join the farm list without changing the farms chosen.
    void takeUpNewFarms();
    void fitFarmList();
    // tb2loeschen: deletes the chosen plots, then synchronises and draws.
    void deleteChosenPlots();
    // Runs a synchronisation with the wait pointer and the map held back.
    template <typename Run> SyncChanges synchronised(Run run);
    void onFarmClicked();
    void onHeaderClicked(int column);
    void reportDeletion(const OperationError& error, const QString& farm);
    // The odd folders and files a synchronisation met, in one message.
    void reportNotes(const QList<PlotNote>& notes);
    // Tints Flaeche cells of the shown plots that disagree with the geometry.
    void showGeometryAreas(const QList<PlotRow>& shown, const FieldLayers::Staged& staged);
    QStringList chosenFarms() const;

    ProgramState& m_state;
    ViewState& m_view;
    FieldMap m_map;
    QWidget* m_owner;
    FarmGridModel* m_farms = nullptr;
    PlotGridModel* m_plots = nullptr;
    GridFilter* m_farmFilter = nullptr; // what the find field txtsuchebetriebe lets through
    GridFilter* m_plotFilter = nullptr; // txtsucheschlaege
    QTableView* m_farmGrid = nullptr;   // grdbetriebe
    QTableView* m_fieldGrid = nullptr;  // grdschlagdaten
    OrderedSelection* m_farmSelection = nullptr;
    OrderedSelection* m_fieldSelection = nullptr;
    QToolBar* m_farmTools = nullptr;  // mnu1
    QToolBar* m_fieldTools = nullptr; // mnu2
    QSplitter* m_splitter = nullptr;
    PlotMapLink* m_mapLink = nullptr;
    // The farm folders listed by the synchronisation of the click under way.
    FarmListings* m_clickListings = nullptr;
    // A mouse button is down on the farm grid: the selection change it makes
    // is followed by a click.
    bool m_farmPress = false;
};
