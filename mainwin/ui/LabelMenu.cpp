#include "LabelMenu.h"

#include "MapControl.h"
#include "ProgramState.h"
#include "SettingsStore.h"

#include <QAction>
#include <QMenu>

namespace LabelMenu {

namespace {
const QString shownKey = QStringLiteral("beschriftung");
const QString areaKey = QStringLiteral("beschriftungflaeche");

QAction* entry(QMenu* menu, const char* name, const QString& caption, const QString& tooltip,
               bool checked)
{
    auto* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(tooltip);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}
} // namespace

void addEntries(QMenu* view, MapControl& map, ProgramState& state)
{
    if (!view)
        return;
    PlotLabels& labels = map.labels();
    if (state.settings) {
        labels.shown = state.settings->getInt(shownKey, 0) == 1;
        labels.withArea = state.settings->getInt(areaKey, 0) == 1;
    }
    view->addSeparator();
    QAction* shown =
        entry(view, "mnuansichtbeschriftung", QStringLiteral("Beschriftung"),
              QStringLiteral("Schläge in der Karte mit ihrem Namen beschriften"), labels.shown);
    QAction* area =
        entry(view, "mnuansichtbeschriftungflaeche", QStringLiteral("Beschriftung mit Fläche"),
              QStringLiteral("Die Beschriftung nennt auch die Fläche in ha"), labels.withArea);
    area->setEnabled(labels.shown);
    const auto save = [&state, &map] {
        if (!state.settings)
            return;
        state.settings->saveInt(shownKey, map.labels().shown ? 1 : 0);
        state.settings->saveInt(areaKey, map.labels().withArea ? 1 : 0);
        state.settings->sync();
    };
    QObject::connect(shown, &QAction::toggled, &map, [&map, area, save](bool on) {
        map.labels().shown = on;
        area->setEnabled(on);
        save();
        map.Redraw();
    });
    QObject::connect(area, &QAction::toggled, &map, [&map, save](bool on) {
        map.labels().withArea = on;
        save();
        map.Redraw();
    });
}

} // namespace LabelMenu
