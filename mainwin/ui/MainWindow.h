#pragma once

#include "LayerDisplay.h"
#include "ViewState.h"

#include <QMainWindow>
#include <memory>

class QActionGroup;
class QDockWidget;
class FieldWindow;
class GpsWindow;
class MapControl;
class MapPanel;
struct PrintOptions;
struct ProgramState;

// mdi0: the main window. It holds the menu bar and toolbar (MainMenus), the
// map with its status controls (MapPanel), the farm and field window and the
// GPS window in docks, the display flags both windows share (ViewState), and
// owns the end of the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence after the program folder is known: geometry, language,
    // translation, message titles, input mode, map and scale list.
    void load();

    // Shows the print dialog drucken modally; OK prints the current view.
    void druck();
    // The printer set-up dialog; the choice holds for this run's printing.
    void einstellungdrucker();

    void variablen();
    void sprachvariablen();
    // Switches the interface to language number sprache while running.
    void spracheumstellen(int sprache);
    // Ends the program: empties gpsdaten, stores the geometry unless
    // minimised, closes the windows.
    void ende();

    // Opens the farm and field window (again), running its loading steps.
    // Both windows live in docks of the main window (docked by default: the
    // field window below the map, the GPS window to its right), which the
    // user may move, float, resize and close.
    void openFieldWindow();
    QDockWidget* fieldDock() const { return m_fieldDock; }
    QDockWidget* gpsDock() const { return m_gpsDock; }
    FieldWindow* fieldWindow() const { return m_fieldWindow.get(); }
    // Shows the GPS window, loading it (which imports) when it is not open.
    void openGpsWindow();
    GpsWindow* gpsWindow() const { return m_gpsWindow.get(); }
    // Opens a closed window, closes an open one (Ansicht menu).
    void toggleFieldWindow();
    void toggleGpsWindow();

    MapPanel* panel() const { return m_panel; }
    MapControl* map() const;
    ViewState& viewState() { return m_view; }
    // See MapPanel::displayLayers.
    bool displayLayers(const QString& path, const QList<qint64>& colours);
    // F5: farm folders and plot files added since are taken up.
    void refresh();

    // The commands of the menus without a window of their own.
    void importPlots();
    void exportPlots();
    void kartenbildspeichern();
    void gpsdatenpfad();
    void showHelp();
    // The about window, modally.
    void showAbout();
    // Opens the support mail link with the desktop's mail program.
    void supportMail();
    void openWebsite();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString databasePath() const;
    void translate();
    void showDockEntries();
    void toggleDock(QDockWidget* dock, void (MainWindow::*open)());
    bool printView(const PrintOptions& options);

    ProgramState& m_state;
    ViewState m_view;
    MapPanel* m_panel = nullptr;
    QActionGroup* m_languageEntries = nullptr; // mnueinstellungsprache1 to 5 (to 9)
    std::unique_ptr<FieldWindow> m_fieldWindow;
    std::unique_ptr<GpsWindow> m_gpsWindow;
    QDockWidget* m_fieldDock = nullptr; // dockschlagdaten
    QDockWidget* m_gpsDock = nullptr;   // dockgpsdaten
    bool m_layoutRestored = false;
    bool m_plotsDrawn = false; // the plots chosen at start drawn once the map has its size
    bool m_ended = false;
};
