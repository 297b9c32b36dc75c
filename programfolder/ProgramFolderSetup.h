#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>

// The files an installation supplies in the program folder. A folder that lacks
// one gets it from the program's own resources; an existing file (or link, or
// anything else of that name) is never overwritten or removed.
namespace ProgramFolderSetup {

struct Result {
    QStringList installed; // file names put into the folder, help pages included
    QStringList pictures;  // pictures and style sheet of the help pages put into the folder
    OperationError error;  // first file that could not be written
};

// Names of the supplied data files, as composed.
QStringList suppliedFiles();

// Names of the help pages (".HTM", one per window, opened by F1) and of the
// pictures and style sheet they use; they are supplied like the data files.
QStringList helpFiles();

// Creates the folder if needed and puts every missing supplied file and help
// file into it.
Result installMissingFiles(const QString& programFolder);

// Writes a new attribute table with one numeric field and no records
// (leer.DBF) at path, which must not exist.
OperationError writeEmptyAttributeTable(const QString& path);

} // namespace ProgramFolderSetup
