#pragma once

#include <QStyle>

class QAction;
class QToolBar;
class QWidget;

// The small toolbars above the grids of the farm and field window and of the
// GPS window: 16-pixel pictures of the desktop style, captions as tooltips.
namespace PaneTools {

QToolBar* toolbar(QWidget* parent, const char* name);
// Adds the tool name (its object name) with caption as text and tooltip.
QAction* add(QToolBar* bar, const char* name, const char* caption, QStyle::StandardPixmap icon);

} // namespace PaneTools
