#include "MapInteraction.h"

#include "DopQuality.h"
#include "FieldMap.h"
#include "FieldWindow.h"
#include "GpsMapLink.h"
#include "GpsWindow.h"
#include "MainWindow.h"
#include "MapControl.h"
#include "MapTextKeys.h"
#include "Messages.h"
#include "PlotMapLink.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "Texts.h"
#include "ToolIcons.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>
#include <QTableView>
#include <QToolBar>

namespace MapInteraction {

namespace {
void addTools(MainWindow& window, ProgramState& state)
{
    // Beside "show all" in the toolbar.
    if (auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("tb1"))) {
        auto* tool = new QAction(QStringLiteral("Auf Auswahl zoomen"), &window);
        tool->setObjectName(QStringLiteral("tb1auswahl"));
        tool->setToolTip(QStringLiteral("Karte auf die gewählten Schläge zoomen"));
        tool->setIcon(ToolIcons::forTool(tool->objectName()));
        tool->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
        tool->setShortcutContext(Qt::WindowShortcut);
        QAction* before = nullptr;
        const QList<QAction*> actions = toolbar->actions();
        for (qsizetype i = 0; i + 1 < actions.size(); ++i) {
            if (actions.at(i)->objectName() == QLatin1String("tb1alles"))
                before = actions.at(i + 1);
        }
        toolbar->insertAction(before, tool);
        QObject::connect(tool, &QAction::triggered, &window,
                         [&window] { zoomToSelection(window); });
    }
    // In the Einstellung menu before the language entries.
    if (auto* settings = window.findChild<QMenu*>(QStringLiteral("mnuEinstellung"))) {
        auto* entry = new QAction(QStringLiteral("DOP-Grenze…"), &window);
        entry->setObjectName(QStringLiteral("mnueinstellungdop"));
        entry->setToolTip(
            QStringLiteral("Messungen mit einem größeren DOP werden in den Listen markiert"));
        auto* languages = window.findChild<QMenu*>(QStringLiteral("mnueinstellungsprache"));
        settings->insertAction(languages ? languages->menuAction() : nullptr, entry);
        QObject::connect(entry, &QAction::triggered, &window,
                         [&window, &state] { askDopThreshold(window, state); });
    }
}

// The window whose data the map shows, as kartenanzeige says.
PlotMapLink* plotLink(MainWindow& window)
{
    return window.viewState().kartenanzeige == MapContent::Plots && window.fieldWindow()
               ? window.fieldWindow()->mapLink()
               : nullptr;
}

GpsMapLink* gpsLink(MainWindow& window)
{
    return window.viewState().kartenanzeige == MapContent::Measurements && window.gpsWindow()
               ? window.gpsWindow()->mapLink()
               : nullptr;
}
} // namespace

void install(MainWindow& window, ProgramState& state)
{
    addTools(window, state);
    MapControl* map = window.map();
    map->setIdentifier([&window](const PlotHitTest::Hit& hit) {
        if (PlotMapLink* plots = plotLink(window))
            return plots->describe(*hit.table);
        if (GpsMapLink* gps = gpsLink(window))
            return gps->describe(*hit.table, hit.shape);
        return QString();
    });
    QObject::connect(map, &MapControl::doubleClicked, &window,
                     [&window, map](double x, double y) {
                         const PlotHitTest::Hit hit = map->hitAt(x, y);
                         if (!hit.found())
                             return;
                         QDockWidget* dock = nullptr;
                         if (PlotMapLink* plots = plotLink(window);
                             plots && plots->choose(*hit.table))
                             dock = window.fieldDock();
                         else if (GpsMapLink* gps = gpsLink(window);
                                  gps && gps->choose(*hit.table))
                             dock = window.gpsDock();
                         if (dock) {
                             dock->show();
                             dock->raise();
                         }
                     });
}

void addMapLinks(FieldMap& links, MapControl& map)
{
    links.zoomToFiles = [&map](const QStringList& shpPaths) {
        const bool zoomed =
            map.ZoomToExtent(MapTableLookup::extentOf(map.document().views(), shpPaths));
        return zoomed;
    };
    links.highlight = [&map](const QString& shpPath) { map.setHighlightedFile(shpPath); };
}

void zoomToSelection(MainWindow& window)
{
    if (PlotMapLink* plots = plotLink(window))
        plots->zoomToSelection();
    else
        window.map()->ZoomToExtent(window.map()->document().dataExtent());
}

bool askDopThreshold(MainWindow& window, ProgramState& state)
{
    QAction* entry = window.findChild<QAction*>(QStringLiteral("mnueinstellungdop"));
    const QString title = entry ? entry->text().remove(QChar(0x2026)).trimmed() : QString();
    const std::optional<double> chosen = Prompter::instance().number(
        &window, title, textholen(state, MapTextKeys::dopQuestion), state.dopgrenze,
        DopQuality::leastThreshold, DopQuality::largestThreshold, 1);
    if (!chosen)
        return false;
    if (!(*chosen >= DopQuality::leastThreshold && *chosen <= DopQuality::largestThreshold)) {
        Messages::entryError(&window, state, MapTextKeys::dopInvalid,
                             {DopQuality::shown(DopQuality::leastThreshold),
                              DopQuality::shown(DopQuality::largestThreshold)});
        return false;
    }
    state.dopgrenze = *chosen;
    DopQuality::saveThreshold(state.settings, *chosen);
    // The grids' marks follow at once.
    for (QTableView* grid : window.findChildren<QTableView*>())
        grid->viewport()->update();
    return true;
}

} // namespace MapInteraction
