#pragma once

#include <Qt>

class QAction;
class QDockWidget;
class QMainWindow;
class QWidget;
class SettingsStore;

// Where the main window and its docked windows lie: the window's geometry
// (mdi0Left ...), whether it was maximised and the dock layout (docked or
// floating, sizes) are kept in the settings store between runs.
namespace MainLayout {

// Default geometry in twips.
constexpr int defaultLeft = 0, defaultTop = 0, defaultHeight = 10000, defaultWidth = 12000;
// At the first start (no stored geometry) the window covers this share of
// the screen, centred; on screens smaller than 1280 x 800 it is maximised.
constexpr double firstStartShare = 0.8;

// The stored geometry, or at the first start most of the screen, centred.
void restoreGeometry(QMainWindow& window, const SettingsStore* settings);
// Stores geometry, maximised state and dock layout unless the window is
// minimised; a maximised window keeps the geometry it had before.
void saveGeometry(const QMainWindow& window, SettingsStore* settings);
// The dock layout saved at the last end; false when there is none (or it
// does not fit), leaving the default layout.
bool restoreDocks(QMainWindow& window, const SettingsStore* settings);

// A closable, movable, floatable dock "dock" + content's name holding
// content in area, titled like it; refresh (F5) works in it as well,
// floating or not.
QDockWidget* makeDock(QMainWindow& window, QWidget* content, Qt::DockWidgetArea area,
                      QAction* refresh);

} // namespace MainLayout
