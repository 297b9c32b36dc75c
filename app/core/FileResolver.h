#pragma once

#include <QString>

// File names composed by the program ("GISDATEN.MDB", base + "F.SHX") were
// written for a file system that ignores case. These helpers find the entry
// that exists on disk whatever its case.
namespace FileResolver {

// The existing entry of folder whose name equals name ignoring case (an exact
// match wins); when none exists, folder + "/" + name as composed, so that new
// files are created with the composed name.
QString resolve(const QString& folder, const QString& name);

// Resolves every component of a relative path ("farm/plot.SHP") one by one.
QString resolvePath(const QString& folder, const QString& relativePath);

// True when folder holds an entry whose trimmed name equals the trimmed name
// ignoring case. Folders count as entries too.
bool dateiexistiert(const QString& folder, const QString& name);

} // namespace FileResolver
