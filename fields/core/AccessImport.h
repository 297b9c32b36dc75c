#pragma once

#include "AccessImportReport.h"
#include "OperationError.h"

#include <QString>

// Brings the farms, plots and GPS measurements of an Access project database
// of the earlier Windows version over into a new project database
// GISDATEN.MDB of the program folder.
namespace AccessImport {

struct Result {
    OperationError error;
    AccessImportReport report; // when error is none
};

// Imports accessFile ("" = the program folder's GISDATEN.MDB). Tables and
// columns are matched by name ignoring case; a column the project database
// lacks is left out and named in the report. A column the program uses that
// the Access table lacks is ErrorKind::ColumnMissing (detail table.column),
// one whose values do not fit it exactly ErrorKind::AccessDamaged: the import
// is refused. Rows keep their
// order, texts every character, numbers their exact values, NULL stays NULL.
// The new database is written whole under a scratch name in the program
// folder before it takes the name GISDATEN.MDB. When accessFile is the
// folder's GISDATEN.MDB, it is kept under accessFileName() (a name that must
// be free, or name that very file after an import cut short); another
// accessFile stays as it is, and GISDATEN.MDB must not exist yet. On failure
// the folder is left as it was; cut short, it holds the Access file under
// its name (and perhaps the kept one) or the finished import, and the next
// import completes it.
Result run(const QString& programFolder, const QString& accessFile = QString());

} // namespace AccessImport
