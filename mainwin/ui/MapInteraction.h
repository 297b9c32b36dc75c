#pragma once

struct FieldMap;
class MainWindow;
class MapControl;
struct ProgramState;

// Working with the map beyond navigation, wired into the main window:
// identify (tooltip of the plot or measurement under the resting pointer,
// a double click makes its row current), the outline of the current plot or
// measurement, zoom to the chosen plots (toolbar tool tb1auswahl), and the
// DOP threshold of the GPS quality marks (Einstellung > mnueinstellungdop).
namespace MapInteraction {

// Adds the tool and the menu entry and connects the map. Call once, after
// the menus and the map are built.
void install(MainWindow& window, ProgramState& state);

// The map side of what a window draws through: zoom to its shapefiles and
// outline one of them.
void addMapLinks(FieldMap& links, MapControl& map);

// Zooms to the chosen plots when the map shows plots, to all measurements
// when it shows measurements.
void zoomToSelection(MainWindow& window);

// Asks for the DOP threshold, keeps it and repaints the marks; false when
// the user cancels or the number is refused.
bool askDopThreshold(MainWindow& window, ProgramState& state);

} // namespace MapInteraction
