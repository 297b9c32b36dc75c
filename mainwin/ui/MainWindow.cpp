#include "MainWindow.h"

#include "AboutWindow.h"
#include "FieldLayers.h"
#include "DopQuality.h"
#include "FieldWindow.h"
#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "GpsPathDefault.h"
#include "GpsWindow.h"
#include "LanguageDialog.h"
#include "LanguageFile.h"
#include "LabelMenu.h"
#include "MainLayout.h"
#include "MainMenus.h"
#include "MapInteraction.h"
#include "MapControl.h"
#include "MapControlSheet.h"
#include "MapPanel.h"
#include "MapPictureSave.h"
#include "Messages.h"
#include "PlotExportDialog.h"
#include "PlotImportDialog.h"
#include "PlotListLayout.h"
#include "PrintDialog.h"
#include "PrintTexts.h"
#include "PrinterChoice.h"
#include "ProgramInfo.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "TextCatalogue.h"
#include "Texts.h"
#include "Twips.h"
#include "WindowPrint.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QMenu>
#include <QScopedValueRollback>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

namespace {
const QString helpPage = QStringLiteral("Hauptfenster.HTM");

// sprachespeichern; tells the user when the file could not be written or, being
// a link or special file, was left alone.
void saveLanguage(QWidget* parent, const ProgramState& state)
{
    OperationError error;
    if (LanguageFile::write(state.programmpfad, state.sprache, &error))
        return;
    if (error.kind == ErrorKind::Refused)
        Messages::operatingError(parent, state, TextKeys::fileLeftAlone,
                                 {QDir::toNativeSeparators(error.where)});
    else
        Messages::operatingError(parent, state, TextKeys::languageFileUnwritable,
                                 {state.programFile(LanguageFile::fileName())});
}
} // namespace

MainWindow::MainWindow(ProgramState& state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("mdi0"));
    setWindowTitle(ProgramState::programTitle());
    m_panel = new MapPanel(m_state, *this);
    m_languageEntries = MainMenus::build(*this);
    MapInteraction::install(*this, m_state);
    LabelMenu::addEntries(findChild<QMenu*>(QStringLiteral("mnuansicht")), *map(), m_state);
    // The status bar is there from the start, so its first message does not
    // change the map's size.
    statusBar()->setObjectName(QStringLiteral("statusleiste"));
    new FormKeyHandler(this, m_state, helpPage);
}

MainWindow::~MainWindow() = default;

MapControl* MainWindow::map() const
{
    return m_panel->map();
}

bool MainWindow::displayLayers(const QString& path, const QList<qint64>& colours)
{
    return m_panel->displayLayers(path, colours);
}

void MainWindow::load()
{
    m_state.gpspfad = GpsPathDefault::defaultGpsPath(m_state.programmpfad);
    m_state.dopgrenze = DopQuality::readThreshold(m_state.settings);
    MainLayout::restoreGeometry(*this, m_state.settings);

    const std::optional<int> stored = LanguageFile::read(m_state.programmpfad);
    if (stored) {
        m_state.sprache = *stored;
    } else if (Prompter::instance().interactive() || Prompter::instance().testMode()) {
        LanguageDialog dialog(m_state, this);
        dialog.choose();
    } else {
        m_state.sprache = 1; // nobody to ask: German, and ask at the next real start
    }
    const bool keepUnasked =
        !stored && !Prompter::instance().interactive() && !Prompter::instance().testMode();
    if (!keepUnasked)
        saveLanguage(this, m_state);
    MainMenus::offerCatalogueLanguages(
        *this, *m_languageEntries, m_state.catalogue ? m_state.catalogue->languageColumns() : 0);
    translate();
    sprachvariablen();
    variablen();
    m_panel->initialise();

    // The field window loads the farms and the GPS window imports the GPS
    // source folder with the map held back; the plots of the first farm are
    // drawn once the map is shown with its size.
    const QScopedValueRollback lock(m_view.anzeigesperre, true);
    openFieldWindow();
    openGpsWindow();
}

void MainWindow::showDockEntries()
{
    if (auto* entry = findChild<QAction*>(QStringLiteral("mnuansichtgpsdaten")))
        entry->setChecked(m_gpsDock && !m_gpsDock->isHidden());
    if (auto* entry = findChild<QAction*>(QStringLiteral("mnuansichtschlagdaten")))
        entry->setChecked(m_fieldDock && !m_fieldDock->isHidden());
}

void MainWindow::toggleDock(QDockWidget* dock, void (MainWindow::*open)())
{
    if (dock && !dock->isHidden())
        dock->close();
    else
        (this->*open)();
    showDockEntries();
}

void MainWindow::toggleFieldWindow()
{
    toggleDock(m_fieldDock, &MainWindow::openFieldWindow);
}

void MainWindow::toggleGpsWindow()
{
    toggleDock(m_gpsDock, &MainWindow::openGpsWindow);
}

void MainWindow::refresh()
{
    if (m_fieldWindow)
        m_fieldWindow->refresh();
}

void MainWindow::openGpsWindow()
{
    if (!m_gpsWindow) {
        GpsLinks links;
        links.map.release = [this] { m_panel->releaseMap(); };
        links.map.display = [this](const QString& path, const QList<qint64>& colours) {
            return m_panel->displayLayers(path, colours);
        };
        links.map.showArea = [this](double hectares) { m_panel->showArea(hectares); };
        MapInteraction::addMapLinks(links.map, *map());
        links.farmCount = [this] { return m_fieldWindow ? m_fieldWindow->farmCount() : 0; };
        links.selectedFarmCount = [this] {
            return m_fieldWindow ? m_fieldWindow->selectedFarmCount() : 0;
        };
        links.currentFarm = [this] {
            return m_fieldWindow ? m_fieldWindow->currentFarm() : QString();
        };
        links.synchronise = [this] {
            if (m_fieldWindow)
                m_fieldWindow->schlagdatenabgleichen();
        };
        links.showFieldWindow = [this] {
            if (m_fieldDock) {
                m_fieldDock->show();
                m_fieldDock->raise();
            }
        };
        m_gpsWindow = std::make_unique<GpsWindow>(m_state, m_view, links, this);
        m_gpsDock =
            MainLayout::makeDock(*this, m_gpsWindow.get(), Qt::RightDockWidgetArea,
                                 findChild<QAction*>(QStringLiteral("mnuansichtaktualisieren")));
    }
    // A closed window was unloaded: showing it again loads it, which imports.
    if (m_gpsDock->isHidden() || !m_gpsWindow->isVisible())
        m_gpsWindow->load();
    m_gpsWindow->show();
    m_gpsDock->show();
    m_gpsDock->raise();
}

void MainWindow::openFieldWindow()
{
    if (!m_fieldWindow) {
        FieldMap fieldMap;
        fieldMap.release = [this] { m_panel->releaseMap(); };
        fieldMap.display = [this](const QString& path, const QList<qint64>& colours) {
            return m_panel->displayLayers(path, colours);
        };
        fieldMap.displayFiles = [this](const QString& path,
                                       const QList<MapDataSource::ShapefileEntry>& files,
                                       const QList<qint64>& colours) {
            return m_panel->displayFiles(path, files, colours);
        };
        fieldMap.showArea = [this](double hectares) { m_panel->showArea(hectares); };
        MapInteraction::addMapLinks(fieldMap, *map());
        fieldMap.labelTexts = [this](const auto& texts) { map()->labels().texts = texts; };
        m_fieldWindow = std::make_unique<FieldWindow>(m_state, m_view, fieldMap, this);
        m_fieldDock =
            MainLayout::makeDock(*this, m_fieldWindow.get(), Qt::BottomDockWidgetArea,
                                 findChild<QAction*>(QStringLiteral("mnuansichtaktualisieren")));
    }
    m_fieldWindow->load();
    m_fieldWindow->show();
    m_fieldDock->show();
    m_fieldDock->raise();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_plotsDrawn || !m_fieldWindow)
        return;
    m_plotsDrawn = true;
    // The layout of the last run, once the main window is on the screen: a
    // floating window then knows its owner and stays above it.
    m_layoutRestored = MainLayout::restoreDocks(*this, m_state.settings);
    // Floating windows come up in front of the main window, which the window
    // system shows after them.
    QTimer::singleShot(0, this, [this] {
        for (QDockWidget* dock : {m_fieldDock, m_gpsDock}) {
            if (dock && dock->isFloating() && dock->isVisible())
                dock->raise();
        }
    });
    if (!m_layoutRestored && m_fieldDock && m_gpsDock) {
        // The default layout: the field window takes a third of the height
        // below the map, the GPS window its least width to the right.
        resizeDocks({m_fieldDock}, {height() / 3}, Qt::Vertical);
        resizeDocks({m_gpsDock}, {Twips::toPixels(GpsWindow::fixedWidth) + 20}, Qt::Horizontal);
    }
    m_panel->layoutPicture();
    // Drawn once the docks have taken their sizes, so all plots fit the map.
    QTimer::singleShot(0, this, [this] {
        if (m_fieldWindow)
            m_fieldWindow->schlagdatenanzeigen();
    });
}

void MainWindow::translate()
{
    FormTranslator::translateWindow(this, m_state);
    const QList<QAction*> entries = m_languageEntries->actions();
    for (int i = 0; i < entries.size(); ++i)
        entries.at(i)->setChecked(i + 1 == m_state.sprache);
    // The labels of the status strip take the width of their new texts.
    m_panel->layoutPicture();
}

void MainWindow::variablen()
{
    m_state.eingabemodus = true;
}

void MainWindow::sprachvariablen()
{
    ::sprachvariablen(m_state);
}

void MainWindow::spracheumstellen(int sprache)
{
    m_state.sprache = sprache;
    translate();
    if (m_fieldWindow)
        m_fieldWindow->translate();
    if (m_gpsWindow)
        m_gpsWindow->translate();
    saveLanguage(this, m_state);
    sprachvariablen();
}

void MainWindow::importPlots()
{
    PlotImportDialog dialog(m_state, this);
    dialog.exec();
    if (dialog.importedAny())
        openFieldWindow();
}

void MainWindow::exportPlots()
{
    PlotExportDialog(m_state, this).exec();
}

void MainWindow::kartenbildspeichern()
{
    const auto* entry = findChild<QAction*>(QStringLiteral("mnueingabekartenbild"));
    saveMapPicture(this, m_state, *map(), entry->text().remove(QChar(0x2026)));
}

void MainWindow::gpsdatenpfad()
{
    openGpsWindow();
    m_gpsWindow->gpspfadwaehlen();
}

void MainWindow::showHelp()
{
    FormBehaviour::openHelpPage(this, m_state, helpPage);
}

void MainWindow::openWebsite()
{
    FormBehaviour::openExternal(this, m_state, QUrl(ProgramInfo::webAddress()));
}

void MainWindow::druck()
{
    PrintDialog dialog(
        m_state, [this](const PrintOptions& options) { return printView(options); }, this);
    dialog.setLabels(map()->labels().shown);
    dialog.exec();
}

void MainWindow::einstellungdrucker()
{
    PrinterChoice::instance().einstellungdrucker(this);
}

bool MainWindow::printView(const PrintOptions& options)
{
    MapControlSheet sheetMap(*map());
    SheetSource source;
    source.map = &sheetMap;
    source.scaleBoxText = m_panel->scaleBoxText();
    source.kartenanzeige = m_view.kartenanzeige;
    source.areaBoxText = m_panel->areaBoxText();
    if (m_state.database)
        source.gpsRows = m_state.database->gpsCount();
    if (m_fieldWindow && options.list) {
        const PrintTexts texts = PrintTexts::fromCatalogue(m_state);
        for (const PlotRow& row : m_fieldWindow->chosenPlots(&source.plotsFromSelection)) {
            const PlotRecord& p = row.record;
            QString label = PlotListLayout::plotLabel(p.name, p.nummer, p.teil);
            if (m_view.kartenanzeige == MapContent::Plots &&
                m_state.undrawnFiles.contains(FieldLayers::origin(m_state.programmpfad, p)))
                label = texts.undrawnLabel(label);
            source.plots.append(
                {p.ordner, label, p.farbe, p.flaeche, p.erntejahr, p.kultur, p.anmerkung});
        }
    }
    return WindowPrint::run(this, m_state, source, options);
}

QString MainWindow::databasePath() const
{
    return m_state.database ? m_state.database->path() : QString();
}

void MainWindow::showAbout()
{
    AboutWindow about(m_state, databasePath(), this);
    about.exec();
}

void MainWindow::supportMail()
{
    // The about window is loaded, not shown: the link carries what it shows.
    const AboutWindow about(m_state, databasePath(), this);
    const QString link = ProgramInfo::supportMailLink(ProgramInfo::supportMailAddress(),
                                                      ProgramState::programTitle(),
                                                      about.versionCaption(), about.dateCaption());
    FormBehaviour::openExternal(this, m_state, QUrl::fromEncoded(link.toUtf8(), QUrl::StrictMode));
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        m_panel->layoutPicture();
}

void MainWindow::ende()
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_state.database) {
        const OperationError error = m_state.database->clearGpsdaten();
        if (error.isError())
            Messages::failure(this, m_state, TextKeys::databaseUnusable, error,
                              {error.where, error.detail});
    }
    // The geometry and the dock layout, floating windows included.
    MainLayout::saveGeometry(*this, m_state.settings);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    ende();
    event->accept();
}
