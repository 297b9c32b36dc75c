#pragma once

class MainWindow;
class QActionGroup;

// The menu bar mnu and the toolbar tb1 of the main window. Every entry
// carries its control name as object name and is connected to its command
// of the main window.
namespace MainMenus {

// Builds both; returns the group of the language entries
// mnueinstellungsprache1 to 5.
QActionGroup* build(MainWindow& window);

// Adds the language entries after the fifth for the further language columns
// the catalogue has (up to entry 9), so that no entry selects a language
// without texts.
void offerCatalogueLanguages(MainWindow& window, QActionGroup& entries, int columns);

} // namespace MainMenus
