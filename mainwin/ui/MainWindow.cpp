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
#include "LayerDisplay.h"
#include "MapControl.h"
#include "MapControlSheet.h"
#include "MapInteraction.h"
#include "MapNavigation.h"
#include "MapPictureSave.h"
#include "MapView.h"
#include "Messages.h"
#include "PictureBox.h"
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
#include "SettingsStore.h"
#include "StatusStripLayout.h"
#include "TextCatalogue.h"
#include "Texts.h"
#include "ToolIcons.h"
#include "Twips.h"
#include "WindowGeometry.h"
#include "WindowPrint.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QProgressDialog>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace {
const WindowGeometry mainGeometry{QStringLiteral("mdi0"), MainWindow::defaultLeft,
                                  MainWindow::defaultTop, MainWindow::defaultHeight,
                                  MainWindow::defaultWidth};
const QString helpPage = QStringLiteral("Hauptfenster.HTM");
// The dock layout (docked or floating, sizes) as saveState gives it, base64,
// and whether the window was maximised.
const QString layoutKey = QStringLiteral("mdi0layout");
const QString maximisedKey = QStringLiteral("mdi0maximised");
constexpr int layoutVersion = 1;
constexpr int languageEntries = 5;
// The language number is the last character of an entry's name and
// SPRACHE.DAT keeps one digit, so entries end at 9 (there is no entry 10).
constexpr int mostLanguageEntries = 9;

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
    buildMenus();
    buildPicture();
    MapInteraction::install(*this, m_state);
    // The status bar is there from the start, so its first message does not
    // change the map's size.
    statusBar()->setObjectName(QStringLiteral("statusleiste"));
    new FormKeyHandler(this, m_state, helpPage);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addTool(QMenu* menu, const QString& name, const QString& caption,
                             const QString& tooltip)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    if (!tooltip.isEmpty())
        action->setToolTip(tooltip);
    if (menu)
        menu->addAction(action);
    return action;
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mnu"));

    QMenu* input = bar->addMenu(QStringLiteral("Eingabe"));
    input->setObjectName(QStringLiteral("mnuEingabe"));
    input->menuAction()->setObjectName(QStringLiteral("mnuEingabe"));
    addTool(input, QStringLiteral("mnueingabeimport"), QStringLiteral("Schläge importieren…"),
            QStringLiteral("Schläge aus der Datei eines anderen Programms übernehmen"));
    addTool(input, QStringLiteral("mnueingabeexport"), QStringLiteral("Schläge exportieren…"),
            QStringLiteral("Schläge in eine Datei für andere Programme schreiben"));
    addTool(input, QStringLiteral("mnueingabekartenbild"),
            QStringLiteral("Karte als Bild speichern…"),
            QStringLiteral("Den sichtbaren Kartenausschnitt als PNG-Bild speichern"))
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    input->addSeparator();
    addTool(input, QStringLiteral("mnueingabeende"), QStringLiteral("Ende"),
            QStringLiteral("Programm beenden"));

    QMenu* view = bar->addMenu(QStringLiteral("Ansicht"));
    view->setObjectName(QStringLiteral("mnuansicht"));
    view->menuAction()->setObjectName(QStringLiteral("mnuansicht"));
    addTool(view, QStringLiteral("mnuansichtgpsdaten"), QStringLiteral("GPS-Daten"),
            QStringLiteral("GPS-Messungen anzeigen"))
        ->setCheckable(true);
    addTool(view, QStringLiteral("mnuansichtschlagdaten"), QStringLiteral("Schläge"),
            QStringLiteral("Betriebe und Schläge anzeigen"))
        ->setCheckable(true);
    view->addSeparator();
    QAction* refreshEntry =
        addTool(view, QStringLiteral("mnuansichtaktualisieren"), QStringLiteral("Aktualisieren"),
                QStringLiteral("Neue Betriebsordner und Schlagdateien einlesen"));
    refreshEntry->setShortcut(QKeySequence(Qt::Key_F5));
    refreshEntry->setShortcutContext(Qt::WindowShortcut);
    // The entries show whether their window is open.
    connect(view, &QMenu::aboutToShow, this, [this] {
        if (auto* entry = findChild<QAction*>(QStringLiteral("mnuansichtgpsdaten")))
            entry->setChecked(m_gpsDock && !m_gpsDock->isHidden());
        if (auto* entry = findChild<QAction*>(QStringLiteral("mnuansichtschlagdaten")))
            entry->setChecked(m_fieldDock && !m_fieldDock->isHidden());
    });

    QMenu* settings = bar->addMenu(QStringLiteral("Einstellung"));
    settings->setObjectName(QStringLiteral("mnuEinstellung"));
    settings->menuAction()->setObjectName(QStringLiteral("mnuEinstellung"));
    addTool(settings, QStringLiteral("mnueinstellunggpsdatenpfad"), QStringLiteral("GPS-Datenpfad"),
            QStringLiteral("Ordner der GPS-Quelldaten einstellen"));
    addTool(settings, QStringLiteral("mnueinstellungdrucker"), QStringLiteral("Drucker"),
            QStringLiteral("Drucker einrichten"));
    QMenu* languages = settings->addMenu(QStringLiteral("Sprache"));
    languages->setObjectName(QStringLiteral("mnueinstellungsprache"));
    languages->menuAction()->setObjectName(QStringLiteral("mnueinstellungsprache"));
    languages->menuAction()->setToolTip(QStringLiteral("Sprache einstellen"));
    const QStringList names = LanguageDialog::languageNames();
    m_languageEntries = new QActionGroup(this);
    m_languageEntries->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (int i = 1; i <= languageEntries; ++i) {
        QAction* entry =
            addTool(languages, QStringLiteral("mnueinstellungsprache%1").arg(i), names.at(i - 1));
        entry->setCheckable(true);
        m_languageEntries->addAction(entry);
    }

    QMenu* help = bar->addMenu(QStringLiteral("Hilfe"));
    help->setObjectName(QStringLiteral("mnuhilfe"));
    help->menuAction()->setObjectName(QStringLiteral("mnuhilfe"));
    QAction* helpEntry = addTool(help, QStringLiteral("mnuhilfehilfe"), QStringLiteral("Hilfe"),
                                 QStringLiteral("Hilfe zum Hauptfenster"));
    helpEntry->setShortcut(QKeySequence(Qt::Key_F1));
    helpEntry->setShortcutContext(Qt::WidgetShortcut); // F1 itself is the window's key
    addTool(help, QStringLiteral("mnuhilfeemail"), QStringLiteral("E-Mail an die Sorvan-Hotline"),
            QStringLiteral("Anfrage per E-Mail an die Hotline schreiben"));
    addTool(help, QStringLiteral("mnuhilfeinternet"), QStringLiteral("Sorvan im Internet"),
            QStringLiteral("Internetseite des Herstellers öffnen"));
    addTool(help, QStringLiteral("mnuhilfeinfo"), QStringLiteral("Info"),
            QStringLiteral("Programmversion und Systeminformation"));

    m_toolbar = addToolBar(QStringLiteral("Werkzeuge"));
    m_toolbar->setObjectName(QStringLiteral("tb1"));
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    // Keys for the map tools; F1 belongs to the window's help page.
    const struct {
        const char* name;
        const char* caption;
        const char* tooltip;
        bool separatorBefore;
        QKeySequence key;
    } tools[] = {
        {"tb1vergroessern", "Vergrößern", "Karte vergrößern", false, QKeySequence::ZoomIn},
        {"tb1verkleinern", "Verkleinern", "Karte verkleinern", false, QKeySequence::ZoomOut},
        {"tb1alles", "Alles anzeigen", "Alle Schläge anzeigen", false,
         QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"tb1links", "Nach links", "Kartenausschnitt nach links verschieben", true,
         QKeySequence(Qt::CTRL | Qt::Key_Left)},
        {"tb1rechts", "Nach rechts", "Kartenausschnitt nach rechts verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Right)},
        {"tb1oben", "Nach oben", "Kartenausschnitt nach oben verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {"tb1unten", "Nach unten", "Kartenausschnitt nach unten verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {"tb1drucken", "Drucken", "Ansicht drucken", true, QKeySequence::Print},
        {"tb1hilfe", "Hilfe", "Hilfe zum Hauptfenster", true, QKeySequence()},
        {"tb1email", "E-Mail", "E-Mail an die Sorvan-Hotline", false, QKeySequence()},
        {"tb1internet", "Internet", "Sorvan im Internet", false, QKeySequence()},
        {"tb1info", "Info", "Programmversion und Systeminformation", false, QKeySequence()},
        {"tb1ende", "Ende", "Programm beenden", true, QKeySequence(Qt::CTRL | Qt::Key_Q)},
    };
    for (const auto& tool : tools) {
        if (tool.separatorBefore)
            m_toolbar->addSeparator();
        QAction* action = addTool(nullptr, QString::fromLatin1(tool.name),
                                  QString::fromUtf8(tool.caption), QString::fromUtf8(tool.tooltip));
        action->setIcon(ToolIcons::forTool(action->objectName()));
        action->setShortcut(tool.key);
        action->setShortcutContext(Qt::WindowShortcut);
        m_toolbar->addAction(action);
    }
    connect(bar, &QMenuBar::triggered, this, &MainWindow::onToolClicked);
    connect(m_toolbar, &QToolBar::actionTriggered, this, &MainWindow::onToolClicked);
}

void MainWindow::buildPicture()
{
    m_picture = new PictureBox(this);
    setCentralWidget(m_picture);

    // The picture box changes size with the window and with the docks beside it.
    m_picture->installEventFilter(this);
    m_map = new MapControl(m_picture);
    m_map->setObjectName(QStringLiteral("tplhaupt"));

    m_areaLabel = new QLabel(QStringLiteral(" Fläche in ha:"), m_picture);
    m_areaLabel->setObjectName(QStringLiteral("panflaeche"));
    m_areaLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_areaLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_areaLabel->setAutoFillBackground(true);

    m_areaBox = new QLineEdit(m_picture);
    m_areaBox->setObjectName(QStringLiteral("txtflaeche"));
    m_areaBox->setReadOnly(true);
    m_areaBox->setAlignment(Qt::AlignRight);

    m_scaleLabel = new QLabel(QStringLiteral(" Maßstab:  1: "), m_picture);
    m_scaleLabel->setObjectName(QStringLiteral("panmassstab"));
    m_scaleLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_scaleLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_scaleLabel->setAutoFillBackground(true);

    m_scaleBox = new QComboBox(m_picture);
    m_scaleBox->setObjectName(QStringLiteral("cbomassstab"));
    m_scaleBox->setEditable(true);
    m_scaleBox->setInsertPolicy(QComboBox::NoInsert);
    m_scaleBox->lineEdit()->installEventFilter(this);

    connect(m_scaleBox->lineEdit(), &QLineEdit::textEdited, this, &MainWindow::onScaleTextEdited);
    connect(m_scaleBox, &QComboBox::activated, this, [this](int) { applyTypedScale(); });
    connect(m_map, &MapControl::mouseEvent, this, [this](double x, double y, int button) {
        if (button == 1) {
            m_viewFitted = false;
            m_map->ZoomAt(x, y, 1.0);
            m_map->Redraw();
        }
    });
    // A map the user moved stays where it is when the docks change size.
    for (auto zoomed : {&MapControl::zoomedByMouse, &MapControl::zoomedToExtent})
        connect(m_map, zoomed, this, [this] {
            m_viewFitted = false;
            showScale(qRound64(m_map->Scale()));
        });
    connect(m_map, &MapControl::pannedByMouse, this, [this] { m_viewFitted = false; });
    connect(m_map, &MapControl::mapChanged, this, [this](int code) {
        if (code == 2)
            linealanzeigen();
    });
}

void MainWindow::restoreMainGeometry()
{
    if (!m_state.settings)
        return;
    const bool stored = m_state.settings->getInt(QStringLiteral("mdi0width"), -1) > 0 &&
                        m_state.settings->getInt(QStringLiteral("mdi0height"), -1) > 0;
    if (stored) {
        mainGeometry.restore(this, *m_state.settings);
        if (m_state.settings->getInt(maximisedKey, 0) == 1)
            setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    // First start: most of the screen, centred; small screens all of it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size(int(area.width() * firstStartShare), int(area.height() * firstStartShare));
    resize(size);
    move(area.left() + (area.width() - size.width()) / 2,
         area.top() + (area.height() - size.height()) / 2);
    if (screen->size().width() < 1280 || screen->size().height() < 800)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::saveMainGeometry()
{
    if (!m_state.settings || isMinimized())
        return;
    // A maximised window keeps the geometry it had before, for un-maximising.
    const bool maximised = isMaximized() || isFullScreen();
    if (!maximised)
        mainGeometry.save(this, *m_state.settings);
    m_state.settings->saveInt(maximisedKey, maximised ? 1 : 0);
    m_state.settings->saveSetting(layoutKey,
                                  QString::fromLatin1(saveState(layoutVersion).toBase64()));
    m_state.settings->sync();
}

QDockWidget* MainWindow::makeDock(QWidget* content, Qt::DockWidgetArea area)
{
    auto* dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("dock") + content->objectName());
    dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                      QDockWidget::DockWidgetFloatable);
    dock->setWindowTitle(content->windowTitle().trimmed());
    connect(content, &QWidget::windowTitleChanged, dock,
            [dock](const QString& title) { dock->setWindowTitle(title.trimmed()); });
    dock->setWidget(content);
    // F5 works in the docks as well, floating ones included.
    if (auto* refreshEntry = findChild<QAction*>(QStringLiteral("mnuansichtaktualisieren")))
        dock->addAction(refreshEntry);
    addDockWidget(area, dock);
    return dock;
}

void MainWindow::restoreLayout()
{
    if (!m_state.settings)
        return;
    const QByteArray state =
        QByteArray::fromBase64(m_state.settings->getSetting(layoutKey, QString()).toLatin1());
    m_layoutRestored = !state.isEmpty() && restoreState(state, layoutVersion);
}

void MainWindow::load()
{
    m_state.gpspfad = GpsPathDefault::defaultGpsPath(m_state.programmpfad);
    m_state.dopgrenze = DopQuality::readThreshold(m_state.settings);
    restoreMainGeometry();

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
    offerCatalogueLanguages();
    translate();
    sprachvariablen();
    variablen();

    m_map->initialise();
    m_scaleBox->clear();
    m_scaleBox->addItems({QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
                          QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("2880"),
                          QStringLiteral("5000"), QStringLiteral("10000")});
    m_scaleBox->setEditText(QString());
    layoutPicture();

    // The field window loads the farms and the GPS window imports the GPS
    // source folder with the map held back; the plots of the first farm are
    // drawn once the map is shown with its size.
    const QScopedValueRollback lock(m_state.anzeigesperre, 1);
    openFieldWindow();
    openGpsWindow();
}

void MainWindow::toggleDock(QDockWidget* dock, void (MainWindow::*open)())
{
    if (dock && !dock->isHidden())
        dock->close();
    else
        (this->*open)();
    for (const char* name : {"mnuansichtgpsdaten", "mnuansichtschlagdaten"}) {
        QDockWidget* shown = QByteArray(name) == "mnuansichtgpsdaten" ? m_gpsDock : m_fieldDock;
        if (auto* entry = findChild<QAction*>(QString::fromLatin1(name)))
            entry->setChecked(shown && !shown->isHidden());
    }
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
        links.map.release = [this] { releaseMap(); };
        links.map.display = [this](const QString& path, const QList<qint64>& colours) {
            return displayLayers(path, colours);
        };
        links.map.showArea = [this](double hectares) { showArea(hectares); };
        MapInteraction::addMapLinks(links.map, *m_map);
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
        m_gpsWindow = std::make_unique<GpsWindow>(m_state, links, this);
        m_gpsDock = makeDock(m_gpsWindow.get(), Qt::RightDockWidgetArea);
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
        fieldMap.release = [this] { releaseMap(); };
        fieldMap.display = [this](const QString& path, const QList<qint64>& colours) {
            return displayLayers(path, colours);
        };
        fieldMap.displayFiles =
            [this](const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                   const QList<qint64>& colours) { return displayFiles(path, files, colours); };
        fieldMap.showArea = [this](double hectares) { showArea(hectares); };
        MapInteraction::addMapLinks(fieldMap, *m_map);
        m_fieldWindow = std::make_unique<FieldWindow>(m_state, fieldMap, this);
        m_fieldDock = makeDock(m_fieldWindow.get(), Qt::BottomDockWidgetArea);
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
    restoreLayout();
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
    layoutPicture();
    // Drawn once the docks have taken their sizes, so all plots fit the map.
    QTimer::singleShot(0, this, [this] {
        if (m_fieldWindow)
            m_fieldWindow->schlagdatenanzeigen();
    });
}

void MainWindow::offerCatalogueLanguages()
{
    const int columns = m_state.catalogue ? m_state.catalogue->languageColumns() : 0;
    QMenu* languages = findChild<QMenu*>(QStringLiteral("mnueinstellungsprache"));
    for (int i = languageEntries + 1; i <= qMin(columns, mostLanguageEntries); ++i) {
        const QString name = QStringLiteral("mnueinstellungsprache%1").arg(i);
        if (findChild<QAction*>(name))
            continue;
        QAction* entry = addTool(languages, name, QStringLiteral("Sprache%1").arg(i));
        entry->setCheckable(true);
        m_languageEntries->addAction(entry);
    }
}

void MainWindow::translate()
{
    FormTranslator::translateWindow(this, m_state);
    const QList<QAction*> entries = m_languageEntries->actions();
    for (int i = 0; i < entries.size(); ++i)
        entries.at(i)->setChecked(i + 1 == m_state.sprache);
    // The labels of the status strip take the width of their new texts.
    layoutPicture();
}

void MainWindow::variablen()
{
    m_state.eingabemodus = 1;
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

void MainWindow::onToolClicked(QAction* action)
{
    const QString name = action->objectName();
    if (name.contains(QLatin1String("mnueingabeende")) || name.contains(QLatin1String("tb1ende")))
        close();
    if (name.contains(QLatin1String("mnueingabekartenbild")))
        saveMapPicture(this, m_state, *m_map, action->text().remove(QChar(0x2026)));
    if (name.contains(QLatin1String("mnueinstellungsprache")) && !name.isEmpty() &&
        name.back().isDigit())
        spracheumstellen(name.back().digitValue());
    if (name == QLatin1String("mnueingabeimport")) {
        PlotImportDialog dialog(m_state, this);
        dialog.exec();
        if (dialog.importedAny())
            openFieldWindow();
    }
    if (name == QLatin1String("mnueingabeexport"))
        PlotExportDialog(m_state, this).exec();
    if (name.contains(QLatin1String("mnuansichtgpsdaten")))
        toggleDock(m_gpsDock, &MainWindow::openGpsWindow);
    if (name.contains(QLatin1String("mnuansichtschlagdaten")))
        toggleDock(m_fieldDock, &MainWindow::openFieldWindow);
    if (name.contains(QLatin1String("mnuansichtaktualisieren")))
        refresh();
    if (name.contains(QLatin1String("mnueinstellunggpsdatenpfad"))) {
        openGpsWindow();
        m_gpsWindow->gpspfadwaehlen();
    }
    if (name.contains(QLatin1String("mnuhilfehilfe")) || name.contains(QLatin1String("tb1hilfe")))
        FormBehaviour::openHelpPage(this, m_state, helpPage);
    if (name.contains(QLatin1String("tb1vergroessern")))
        anzeigezoomen(1.25);
    if (name.contains(QLatin1String("tb1verkleinern")))
        anzeigezoomen(0.8);
    if (name.contains(QLatin1String("tb1alles")))
        anzeigezoomen(0);
    if (name.contains(QLatin1String("tb1links")))
        anzeigelinks(25);
    if (name.contains(QLatin1String("tb1rechts")))
        anzeigerechts(25);
    if (name.contains(QLatin1String("tb1unten")))
        anzeigeunten(25);
    if (name.contains(QLatin1String("tb1oben")))
        anzeigeoben(25);
    if (name.contains(QLatin1String("mnueinstellungdrucker")))
        einstellungdrucker();
    if (name.contains(QLatin1String("tb1drucken")))
        druck();
    if (name.contains(QLatin1String("mnuhilfeinfo")) || name.contains(QLatin1String("tb1info")))
        showAbout();
    if (name.contains(QLatin1String("mnuhilfeemail")) || name.contains(QLatin1String("tb1email")))
        supportMail();
    if (name.contains(QLatin1String("mnuhilfeinternet")) ||
        name.contains(QLatin1String("tb1internet")))
        FormBehaviour::openExternal(this, m_state, QUrl(ProgramInfo::webAddress()));
}

void MainWindow::druck()
{
    PrintDialog dialog(
        m_state, [this](const PrintOptions& options) { return printView(options); }, this);
    dialog.exec();
}

void MainWindow::einstellungdrucker()
{
    PrinterChoice::instance().einstellungdrucker(this);
}

bool MainWindow::printView(const PrintOptions& options)
{
    MapControlSheet map(*m_map);
    SheetSource source;
    source.map = &map;
    source.scaleBoxText = m_scaleBox->currentText();
    source.kartenanzeige = m_state.kartenanzeige;
    source.areaBoxText = m_areaBox->text();
    if (m_state.database)
        source.gpsRows = m_state.database->gpsCount();
    if (m_fieldWindow && options.list) {
        const PrintTexts texts = PrintTexts::fromCatalogue(m_state);
        for (const PlotRow& row : m_fieldWindow->chosenPlots(&source.plotsFromSelection)) {
            const PlotRecord& p = row.record;
            QString label = PlotListLayout::plotLabel(p.name, p.nummer, p.teil);
            if (m_state.kartenanzeige == 2 &&
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

void MainWindow::anzeigezoomen(double factor)
{
    if (factor == 0) {
        m_map->ZoomAll();
        m_map->Redraw();
        showScale(qRound64(m_map->Scale()));
        reportVisibility();
        m_viewFitted = true;
        return;
    }
    const qint32 scale = qint32(qRound64(m_map->Scale()));
    if (!MapNavigation::zoomAllowed(scale, factor))
        return;
    m_viewFitted = false;
    m_map->ZoomBy(factor);
    m_map->Redraw();
    showScale(qRound64(m_map->Scale()));
    reportVisibility();
}

namespace {
void pan(MapControl* map, MapNavigation::Direction direction, int percent)
{
    const MapNavigation::Extent extent{map->MinX(), map->MinY(), map->MaxX(), map->MaxY()};
    const MapNavigation::Extent moved = MapNavigation::panned(extent, direction, percent);
    map->SetExtent(moved.minX, moved.minY, moved.maxX, moved.maxY);
    map->Redraw();
}
} // namespace

void MainWindow::anzeigelinks(int percent)
{
    m_viewFitted = false;
    pan(m_map, MapNavigation::Direction::Left, percent);
    reportVisibility();
}

void MainWindow::anzeigerechts(int percent)
{
    m_viewFitted = false;
    pan(m_map, MapNavigation::Direction::Right, percent);
    reportVisibility();
}

void MainWindow::anzeigeoben(int percent)
{
    m_viewFitted = false;
    pan(m_map, MapNavigation::Direction::Up, percent);
    reportVisibility();
}

void MainWindow::anzeigeunten(int percent)
{
    m_viewFitted = false;
    pan(m_map, MapNavigation::Direction::Down, percent);
    reportVisibility();
}

void MainWindow::massstabsetzen(qint32 scale)
{
    m_viewFitted = false;
    m_map->setScale(scale);
    m_map->Redraw();
    if (scale >= 1)
        m_lastScale = scale;
    reportVisibility();
}

void MainWindow::reportVisibility()
{
    const MapExtent data = m_map->document().dataExtent();
    const bool outside = data.valid && (data.maxX < m_map->MinX() || data.minX > m_map->MaxX() ||
                                        data.maxY < m_map->MinY() || data.minY > m_map->MaxY());
    bool anyVisible = !outside;
    if (data.valid && !outside) {
        anyVisible = false;
        for (const MapView* view : m_map->document().views()) {
            const MapExtent b = view->bounds();
            if (b.valid && !(b.maxX < m_map->MinX() || b.minX > m_map->MaxX() ||
                             b.maxY < m_map->MinY() || b.minY > m_map->MaxY())) {
                anyVisible = true;
                break;
            }
        }
    }
    if (anyVisible)
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(textholen(m_state, TextKeys::nothingVisible));
}

void MainWindow::linealanzeigen()
{
    const double width = m_map->MaxX() - m_map->MinX();
    if (!(width > 0)) {
        static_cast<PictureBox*>(m_picture)->setMarks({});
        return;
    }
    const double k = Twips::fromPixels(m_map->width()) / width;
    static_cast<PictureBox*>(m_picture)->setMarks(
        RulerMarks::compute(k, Twips::fromPixels(m_picture->width())));
}

void MainWindow::releaseMap()
{
    LayerDisplay::release(m_map->document(), m_state);
    m_map->Redraw();
}

bool MainWindow::displayLayers(const QString& path, const QList<qint64>& colours)
{
    return presentLayers(LayerDisplay::show(m_map->document(), m_state, path, colours));
}

bool MainWindow::displayFiles(const QString& path,
                              const QList<MapDataSource::ShapefileEntry>& files,
                              const QList<qint64>& colours)
{
    // A long reading shows its progress and can be cancelled (Esc), which
    // leaves the map empty; a short one shows nothing.
    constexpr qint64 quietMs = 500;
    QElapsedTimer reading;
    reading.start();
    std::unique_ptr<QProgressDialog> dialog;
    const auto progress = [&](qsizetype done, qsizetype total) {
        if (!dialog) {
            if (reading.elapsed() < quietMs)
                return true;
            dialog = std::make_unique<QProgressDialog>(this);
            dialog->setObjectName(QStringLiteral("lesefortschritt"));
            dialog->setWindowTitle(windowTitle());
            dialog->setLabelText(textholen(m_state, TextKeys::readingPlots));
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->setRange(0, int(total));
        }
        dialog->setValue(int(done)); // lets the dialog's events run
        return !dialog->wasCanceled();
    };
    return presentLayers(
        LayerDisplay::show(m_map->document(), m_state, path, files, colours, progress));
}

bool MainWindow::presentLayers(const LayerDisplay::Result& result)
{
    if (!result.problems.isEmpty()) {
        QStringList files;
        for (const OperationError& problem : result.problems)
            files << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(problem.where),
                                                   problem.detail);
        Messages::operatingError(this, m_state, TextKeys::shapefilesLeftOut, {files.join('\n')});
    }
    if (!result.shown)
        return false;
    m_map->Redraw();
    linealanzeigen();
    showScale(qRound64(m_map->Scale()));
    reportVisibility();
    m_viewFitted = true;
    return true;
}

void MainWindow::showScale(qint64 scale)
{
    m_scaleBox->setEditText(QString::number(scale));
    if (scale >= 1)
        m_lastScale = scale;
}

void MainWindow::showArea(double hectares)
{
    m_areaBox->setText(QLocale().toString(hectares, 'f', 4));
}

void MainWindow::onScaleTextEdited(const QString& text)
{
    if (text.size() <= MapNavigation::scaleBoxMaxLength)
        return;
    m_scaleBox->lineEdit()->setText(text.left(MapNavigation::scaleBoxMaxLength));
    m_scaleBox->lineEdit()->setCursorPosition(MapNavigation::scaleBoxMaxLength);
}

void MainWindow::applyTypedScale()
{
    const std::optional<qint32> scale = MapNavigation::wholeScale(m_scaleBox->currentText());
    if (!scale) {
        Messages::entryError(this, m_state, TextKeys::scaleInvalid);
        m_scaleBox->setEditText(m_lastScale >= 1 ? QString::number(m_lastScale) : QString());
        return;
    }
    massstabsetzen(*scale);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_scaleBox) // still being built
        return QMainWindow::eventFilter(watched, event);
    if (watched == m_picture && event->type() == QEvent::Resize) {
        layoutPicture();
        // A map showing everything keeps showing everything when the docks
        // beside it or the window change size.
        if (m_viewFitted && m_map->document().dataExtent().valid) {
            m_map->ZoomAll();
            m_map->Redraw();
            showScale(qRound64(m_map->Scale()));
        }
    }
    if (watched == m_scaleBox->lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            m_state.eingabemodus == 1) {
            applyTypedScale();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!isMinimized())
        layoutPicture();
}

void MainWindow::layoutPicture()
{
    if (isMinimized())
        return;
    StatusStripLayout::Input in;
    in.pictureWidth = Twips::fromPixels(m_picture->width());
    in.pictureHeight = Twips::fromPixels(m_picture->height());
    in.scaleBoxWidth = Twips::fromPixels(90);
    in.scaleBoxHeight = Twips::fromPixels(m_scaleBox->sizeHint().height());
    in.scaleLabelWidth = Twips::fromPixels(m_scaleLabel->sizeHint().width() + 4);
    in.areaBoxWidth = Twips::fromPixels(110);
    in.areaBoxHeight = Twips::fromPixels(m_areaBox->sizeHint().height());
    in.areaLabelWidth = Twips::fromPixels(m_areaLabel->sizeHint().width() + 4);
    in.labelHeight = in.areaBoxHeight - Twips::fromPixels(2);
    const StatusStripLayout layout = StatusStripLayout::compute(in);
    auto place = [](QWidget* widget, const QRect& twips) {
        widget->setGeometry(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()),
                            Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
    };
    place(m_map, layout.map);
    place(m_scaleBox, layout.scaleBox);
    place(m_scaleLabel, layout.scaleLabel);
    place(m_areaBox, layout.areaBox);
    place(m_areaLabel, layout.areaLabel);
    linealanzeigen();
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
    saveMainGeometry();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    ende();
    event->accept();
}
