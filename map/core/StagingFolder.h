#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>

// The staging folder "temp" of the program folder: the only folder the map
// reads. Before each map display it is emptied and refilled with copies of
// the shapefiles to draw.
namespace StagingFolder {

QString name();
// program folder + "/temp" (an existing entry of other case is used).
QString path(const QString& programFolder);

// Creates the folder when missing and deletes every entry in it except
// sub-folders; a link is removed itself, never what it points to. Returns the
// first entry that could not be deleted (the others are still deleted). A
// folder that is a link, or lies behind a link leading out of the program
// folder, is left alone (ErrorKind::Refused) and nothing is deleted.
OperationError prepare(const QString& folder);

// Copies sourceFolder/base + ext to folder/base + ext for ext = ".SHP",
// ".SHX", ".DBF" in this order, replacing a copy that is there. Where the file
// system allows, the copy is a hard link to the source's regular file, which
// is as good as a copy because nothing writes into staged files. Source names
// are found ignoring case; a source file that does not exist is skipped. The
// problems of files that exist but cannot be copied are returned: a source or
// target that is no regular file is left alone (ErrorKind::Refused), and so
// is a staging folder that prepare() would refuse.
QList<OperationError> copyShapefile(const QString& sourceFolder, const QString& base,
                                    const QString& folder);

// Copies the regular file source to target in the staging folder (a hard
// link where the file system allows), replacing a staged file of that name.
// A staging folder that prepare() would refuse is left alone.
OperationError stageFile(const QString& programFolder, const QString& source,
                         const QString& target);

} // namespace StagingFolder
