#pragma once

#include <QString>
#include <QStringList>

// Farm folders are the sub-folders of the program folder, except the reserved
// "temp", "shapes" and "topol" in any case.
namespace FarmFolders {

bool isReservedName(const QString& name);

// Names of the farm folders of the program folder, in name order.
QStringList list(const QString& programFolder);

// True when a file name in a farm folder names a plot (its last three
// characters, upper-cased, are "SHP"); baseName then gets the name without its
// last four characters.
bool isPlotFile(const QString& fileName, QString* baseName = nullptr);

// Base names of the plot shapefiles of a farm folder, in name order.
QStringList plotBaseNames(const QString& farmFolder);

} // namespace FarmFolders
