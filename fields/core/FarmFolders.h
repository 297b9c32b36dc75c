#pragma once

#include <QString>
#include <QStringList>

class FolderListing;

// Farm folders are the sub-folders of the program folder, except the reserved
// "temp", "shapes" and "topol" in any case. A sub-folder that is a symbolic
// link counts only while it leads to a folder inside the program folder.
namespace FarmFolders {

bool isReservedName(const QString& name);

// Names of the farm folders of the program folder, in name order.
QStringList list(const QString& programFolder);

// Path of the folder of farm name (found ignoring case; as it is, else
// trimmed), or empty when there is no such farm folder.
QString farmFolder(const QString& programFolder, const QString& name);

// Path of a plot's file with extension (".SHP") in its farm folder, found
// ignoring case: the base name as it is, else trimmed; as composed when
// neither exists.
QString plotFile(const QString& farmFolder, const QString& dateiname, const QString& extension);

// True when a file name in a farm folder names a plot: it ends in ".SHP" in
// any case after a non-empty base name, which baseName then gets.
bool isPlotFile(const QString& fileName, QString* baseName = nullptr);

// Base names of the plot shapefiles of a farm folder, in name order. Only
// regular files count; links and other special files are passed over.
QStringList plotBaseNames(const QString& farmFolder);
// The same from a listing made already.
QStringList plotBaseNames(const FolderListing& farmFolder);

} // namespace FarmFolders
