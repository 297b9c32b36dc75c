#pragma once

#include "DemoPlan.h"
#include "OperationError.h"

#include <QString>

// Puts a demo plan into a program folder that already holds its installation
// files: the farm folders with their plot shapefiles, the "shapes" folder
// with the measurements, and the betriebe and schlagdaten rows (in one
// transaction). Never replaces an existing file; stops at the first failure,
// naming the file or folder.
namespace DemoFolderWriter {

OperationError write(const DemoPlan& plan, const QString& programFolder);

} // namespace DemoFolderWriter
