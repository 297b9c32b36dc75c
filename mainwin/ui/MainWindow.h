#pragma once

#include "LayerDisplay.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class FieldWindow;
class GpsWindow;
class MapControl;
class RulerStrip;
struct PrintOptions;
struct ProgramState;

// mdi0: the main window. It holds the menu bar and toolbar, the map tplhaupt
// in the picture box pichaupt with the ruler strip and the status controls
// (area and scale), and owns the end of the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load sequence after the program folder is known: geometry, language,
    // translation, message titles, input mode, map and scale list.
    void load();

    // Navigation, all acting on the map control.
    void anzeigezoomen(double factor); // 0 all, > 1 in, < 1 out
    void anzeigelinks(int percent);
    void anzeigerechts(int percent);
    void anzeigeoben(int percent);
    void anzeigeunten(int percent);
    void massstabsetzen(qint32 scale);
    void linealanzeigen();
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
    void openFieldWindow();
    FieldWindow* fieldWindow() const { return m_fieldWindow.get(); }
    // Shows the GPS window, loading it (which imports) when it is not open.
    void openGpsWindow();
    GpsWindow* gpsWindow() const { return m_gpsWindow.get(); }

    MapControl* map() const { return m_map; }
    // Releases the map's data source before the staging folder is refilled.
    void releaseMap();
    // Shows what the staging folder (or one shapefile) holds: one view per
    // table in colours[k] for table k (ascending base names), zoomed to all,
    // the scale in the scale box. Damaged files are left out and named in a
    // message. False when nothing could be opened (map and boxes unchanged).
    bool displayLayers(const QString& path, const QList<qint64>& colours);
    bool displayFiles(const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                      const QList<qint64>& colours);
    bool presentLayers(const LayerDisplay::Result& result);
    // Writes the scale denominator and the area total into the status boxes.
    void showScale(qint64 scale);
    void showArea(double hectares);

    // Default geometry in twips.
    static constexpr int defaultLeft = 0, defaultTop = 0, defaultHeight = 10000,
                         defaultWidth = 12000;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildPicture();
    QAction* addTool(QMenu* menu, const QString& name, const QString& caption,
                     const QString& tooltip = {});
    void onToolClicked(QAction* action);
    // Adds the language entries after the fifth for the further language
    // columns the catalogue has (up to entry 9), so that no entry selects a
    // language without texts.
    void offerCatalogueLanguages();
    // The about window, modally.
    void showAbout();
    // Opens the support mail link with the desktop's mail program.
    void supportMail();
    QString databasePath() const;
    void layoutPicture();
    void onScaleTextEdited(const QString& text);
    void applyTypedScale();
    void translate();
    bool printView(const PrintOptions& options);

    ProgramState& m_state;
    QWidget* m_picture = nullptr; // pichaupt
    RulerStrip* m_ruler = nullptr;
    MapControl* m_map = nullptr;               // tplhaupt
    QLabel* m_areaLabel = nullptr;             // panflaeche
    QLineEdit* m_areaBox = nullptr;            // txtflaeche
    QLabel* m_scaleLabel = nullptr;            // panmassstab
    QComboBox* m_scaleBox = nullptr;           // cbomassstab
    QToolBar* m_toolbar = nullptr;             // tb1
    QActionGroup* m_languageEntries = nullptr; // mnueinstellungsprache1 to 5 (to 9)
    std::unique_ptr<FieldWindow> m_fieldWindow;
    std::unique_ptr<GpsWindow> m_gpsWindow;
    bool m_plotsDrawn = false; // the plots chosen at start drawn once the map has its size
    bool m_ended = false;
};
