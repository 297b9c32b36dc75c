#pragma once

class MapControl;
class QMenu;
struct ProgramState;

// The Ansicht menu's label entries: "Beschriftung" shows the plot labels on
// the map, "Beschriftung mit Fläche" adds each plot's area. Both are
// remembered in the settings and come back at the next start.
namespace LabelMenu {

void addEntries(QMenu* view, MapControl& map, ProgramState& state);

} // namespace LabelMenu
