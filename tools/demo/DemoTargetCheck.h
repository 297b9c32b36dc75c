#pragma once

#include "OperationError.h"

#include <QString>

// Decides whether a demo folder may be built in folder without touching what a
// user keeps there. Allowed: a folder that does not exist, an empty one, or one
// that holds only installation files (a project database without farms or
// plots included). Refused (PathFileAccess, naming the offending entry): a
// file instead of a folder, farm folders, a project database with farms or
// plots, or a "shapes" folder that is not empty.
namespace DemoTargetCheck {

OperationError check(const QString& folder);

} // namespace DemoTargetCheck
