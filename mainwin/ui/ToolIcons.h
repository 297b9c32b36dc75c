#pragma once

#include <QIcon>
#include <QString>

// Toolbar pictures, drawn by the program so that no image files are needed.
namespace ToolIcons {
// name: a toolbar tool's name ("tb1vergroessern", ...). Unknown names give an
// empty icon.
QIcon forTool(const QString& name);
} // namespace ToolIcons
