#include "MainMenus.h"

#include "LanguageDialog.h"
#include "MainWindow.h"
#include "MapPanel.h"
#include "ToolIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMenuBar>
#include <QToolBar>
#include <functional>

namespace {
constexpr int languageEntries = 5;
// The language number is the last character of an entry's name and
// SPRACHE.DAT keeps one digit, so entries end at 9 (there is no entry 10).
constexpr int mostLanguageEntries = 9;

// One entry or tool: its name, caption and tooltip, run by command.
QAction* addTool(MainWindow& window, QMenu* menu, const QString& name, const QString& caption,
                 const QString& tooltip, const std::function<void()>& command)
{
    auto* action = new QAction(caption, &window);
    action->setObjectName(name);
    if (!tooltip.isEmpty())
        action->setToolTip(tooltip);
    if (menu)
        menu->addAction(action);
    QObject::connect(action, &QAction::triggered, &window, command);
    return action;
}

QMenu* addMenu(QMenuBar* bar, const QString& caption, const QString& name)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction* addLanguage(MainWindow& window, QMenu* languages, QActionGroup& group, int number,
                     const QString& caption)
{
    QAction* entry =
        addTool(window, languages, QStringLiteral("mnueinstellungsprache%1").arg(number), caption,
                {}, [&window, number] { window.spracheumstellen(number); });
    entry->setCheckable(true);
    group.addAction(entry);
    return entry;
}

void buildInputMenu(MainWindow& w, QMenuBar* bar)
{
    QMenu* input = addMenu(bar, QStringLiteral("Eingabe"), QStringLiteral("mnuEingabe"));
    addTool(w, input, QStringLiteral("mnueingabeimport"), QStringLiteral("Schläge importieren…"),
            QStringLiteral("Schläge aus der Datei eines anderen Programms übernehmen"),
            [&w] { w.importPlots(); });
    addTool(w, input, QStringLiteral("mnueingabeexport"), QStringLiteral("Schläge exportieren…"),
            QStringLiteral("Schläge in eine Datei für andere Programme schreiben"),
            [&w] { w.exportPlots(); });
    addTool(w, input, QStringLiteral("mnueingabekartenbild"),
            QStringLiteral("Karte als Bild speichern…"),
            QStringLiteral("Den sichtbaren Kartenausschnitt als PNG- oder SVG-Bild speichern"),
            [&w] { w.kartenbildspeichern(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    input->addSeparator();
    addTool(w, input, QStringLiteral("mnueingabeende"), QStringLiteral("Ende"),
            QStringLiteral("Programm beenden"), [&w] { w.close(); });
}

void buildViewMenu(MainWindow& w, QMenuBar* bar)
{
    QMenu* view = addMenu(bar, QStringLiteral("Ansicht"), QStringLiteral("mnuansicht"));
    QAction* gps =
        addTool(w, view, QStringLiteral("mnuansichtgpsdaten"), QStringLiteral("GPS-Daten"),
                QStringLiteral("GPS-Messungen anzeigen"), [&w] { w.toggleGpsWindow(); });
    gps->setCheckable(true);
    QAction* fields =
        addTool(w, view, QStringLiteral("mnuansichtschlagdaten"), QStringLiteral("Schläge"),
                QStringLiteral("Betriebe und Schläge anzeigen"), [&w] { w.toggleFieldWindow(); });
    fields->setCheckable(true);
    view->addSeparator();
    QAction* refreshEntry = addTool(
        w, view, QStringLiteral("mnuansichtaktualisieren"), QStringLiteral("Aktualisieren"),
        QStringLiteral("Neue Betriebsordner und Schlagdateien einlesen"), [&w] { w.refresh(); });
    refreshEntry->setShortcut(QKeySequence(Qt::Key_F5));
    refreshEntry->setShortcutContext(Qt::WindowShortcut);
    // The entries show whether their window is open.
    QObject::connect(view, &QMenu::aboutToShow, &w, [&w, gps, fields] {
        gps->setChecked(w.gpsDock() && !w.gpsDock()->isHidden());
        fields->setChecked(w.fieldDock() && !w.fieldDock()->isHidden());
    });
}

QActionGroup* buildSettingsMenu(MainWindow& w, QMenuBar* bar)
{
    QMenu* settings = addMenu(bar, QStringLiteral("Einstellung"), QStringLiteral("mnuEinstellung"));
    addTool(w, settings, QStringLiteral("mnueinstellunggpsdatenpfad"),
            QStringLiteral("GPS-Datenpfad"), QStringLiteral("Ordner der GPS-Quelldaten einstellen"),
            [&w] { w.gpsdatenpfad(); });
    addTool(w, settings, QStringLiteral("mnueinstellungdrucker"), QStringLiteral("Drucker"),
            QStringLiteral("Drucker einrichten"), [&w] { w.einstellungdrucker(); });
    QMenu* languages = settings->addMenu(QStringLiteral("Sprache"));
    languages->setObjectName(QStringLiteral("mnueinstellungsprache"));
    languages->menuAction()->setObjectName(QStringLiteral("mnueinstellungsprache"));
    languages->menuAction()->setToolTip(QStringLiteral("Sprache einstellen"));
    const QStringList names = LanguageDialog::languageNames();
    auto* group = new QActionGroup(&w);
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (int i = 1; i <= languageEntries; ++i)
        addLanguage(w, languages, *group, i, names.at(i - 1));
    return group;
}

void buildHelpMenu(MainWindow& w, QMenuBar* bar)
{
    QMenu* help = addMenu(bar, QStringLiteral("Hilfe"), QStringLiteral("mnuhilfe"));
    QAction* helpEntry = addTool(w, help, QStringLiteral("mnuhilfehilfe"), QStringLiteral("Hilfe"),
                                 QStringLiteral("Hilfe zum Hauptfenster"), [&w] { w.showHelp(); });
    helpEntry->setShortcut(QKeySequence(Qt::Key_F1));
    helpEntry->setShortcutContext(Qt::WidgetShortcut); // F1 itself is the window's key
    addTool(
        w, help, QStringLiteral("mnuhilfeemail"), QStringLiteral("E-Mail an die Sorvan-Hotline"),
        QStringLiteral("Anfrage per E-Mail an die Hotline schreiben"), [&w] { w.supportMail(); });
    addTool(w, help, QStringLiteral("mnuhilfeinternet"), QStringLiteral("Sorvan im Internet"),
            QStringLiteral("Internetseite des Herstellers öffnen"), [&w] { w.openWebsite(); });
    addTool(w, help, QStringLiteral("mnuhilfeinfo"), QStringLiteral("Info"),
            QStringLiteral("Programmversion und Systeminformation"), [&w] { w.showAbout(); });
}

void buildToolbar(MainWindow& w)
{
    QToolBar* toolbar = w.addToolBar(QStringLiteral("Werkzeuge"));
    toolbar->setObjectName(QStringLiteral("tb1"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(24, 24));
    MapPanel* panel = w.panel();
    // Keys for the map tools; F1 belongs to the window's help page.
    const struct {
        const char* name;
        const char* caption;
        const char* tooltip;
        bool separatorBefore;
        QKeySequence key;
        std::function<void()> command;
    } tools[] = {
        {"tb1vergroessern", "Vergrößern", "Karte vergrößern", false, QKeySequence::ZoomIn,
         [panel] { panel->anzeigezoomen(1.25); }},
        {"tb1verkleinern", "Verkleinern", "Karte verkleinern", false, QKeySequence::ZoomOut,
         [panel] { panel->anzeigezoomen(0.8); }},
        {"tb1alles", "Alles anzeigen", "Alle Schläge anzeigen", false,
         QKeySequence(Qt::CTRL | Qt::Key_0), [panel] { panel->anzeigezoomen(0); }},
        {"tb1links", "Nach links", "Kartenausschnitt nach links verschieben", true,
         QKeySequence(Qt::CTRL | Qt::Key_Left), [panel] { panel->anzeigelinks(25); }},
        {"tb1rechts", "Nach rechts", "Kartenausschnitt nach rechts verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Right), [panel] { panel->anzeigerechts(25); }},
        {"tb1oben", "Nach oben", "Kartenausschnitt nach oben verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Up), [panel] { panel->anzeigeoben(25); }},
        {"tb1unten", "Nach unten", "Kartenausschnitt nach unten verschieben", false,
         QKeySequence(Qt::CTRL | Qt::Key_Down), [panel] { panel->anzeigeunten(25); }},
        {"tb1drucken", "Drucken", "Ansicht drucken", true, QKeySequence::Print,
         [&w] { w.druck(); }},
        {"tb1hilfe", "Hilfe", "Hilfe zum Hauptfenster", true, QKeySequence(),
         [&w] { w.showHelp(); }},
        {"tb1email", "E-Mail", "E-Mail an die Sorvan-Hotline", false, QKeySequence(),
         [&w] { w.supportMail(); }},
        {"tb1internet", "Internet", "Sorvan im Internet", false, QKeySequence(),
         [&w] { w.openWebsite(); }},
        {"tb1info", "Info", "Programmversion und Systeminformation", false, QKeySequence(),
         [&w] { w.showAbout(); }},
        {"tb1ende", "Ende", "Programm beenden", true, QKeySequence(Qt::CTRL | Qt::Key_Q),
         [&w] { w.close(); }},
    };
    for (const auto& tool : tools) {
        if (tool.separatorBefore)
            toolbar->addSeparator();
        QAction* action =
            addTool(w, nullptr, QString::fromLatin1(tool.name), QString::fromUtf8(tool.caption),
                    QString::fromUtf8(tool.tooltip), tool.command);
        action->setIcon(ToolIcons::forTool(action->objectName()));
        action->setShortcut(tool.key);
        action->setShortcutContext(Qt::WindowShortcut);
        toolbar->addAction(action);
    }
}
} // namespace

namespace MainMenus {

QActionGroup* build(MainWindow& window)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName(QStringLiteral("mnu"));
    buildInputMenu(window, bar);
    buildViewMenu(window, bar);
    QActionGroup* languages = buildSettingsMenu(window, bar);
    buildHelpMenu(window, bar);
    buildToolbar(window);
    return languages;
}

void offerCatalogueLanguages(MainWindow& window, QActionGroup& entries, int columns)
{
    auto* languages = window.findChild<QMenu*>(QStringLiteral("mnueinstellungsprache"));
    for (int i = languageEntries + 1; i <= qMin(columns, mostLanguageEntries); ++i) {
        if (!window.findChild<QAction*>(QStringLiteral("mnueinstellungsprache%1").arg(i)))
            addLanguage(window, languages, entries, i, QStringLiteral("Sprache%1").arg(i));
    }
}

} // namespace MainMenus
