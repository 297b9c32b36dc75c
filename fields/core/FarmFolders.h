#pragma once

#include <QString>
#include <QStringList>

// Farm folders are the sub-folders of the program folder, except the reserved
// "temp", "shapes" and "topol" in any case. A sub-folder that is a symbolic
// link counts only while it leads to a folder inside the program folder.
namespace FarmFolders {

bool isReservedName(const QString& name);

// Names of the farm folders of the program folder, in name order.
QStringList list(const QString& programFolder);

// Path of the folder of farm name (trimmed, found ignoring case), or empty
// when there is no such farm folder.
QString farmFolder(const QString& programFolder, const QString& name);

// True when a file name in a farm folder names a plot: it ends in ".SHP" in
// any case after a non-empty base name, which baseName then gets.
bool isPlotFile(const QString& fileName, QString* baseName = nullptr);

// Base names of the plot shapefiles of a farm folder, in name order. Only
// regular files count; links and other special files are passed over.
QStringList plotBaseNames(const QString& farmFolder);

} // namespace FarmFolders
