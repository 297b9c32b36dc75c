#pragma once

#include "OperationError.h"
#include "ProjectDatabase.h"

#include <QList>
#include <QString>

struct ProgramState;

// gpsdateneinlesen without the window: rebuilds gpsdaten from the GPS source
// folder gpspfad.
// - The folder's plain files are listed once (no folders, hidden files or
//   special files), in name order. A delivery shapefile base + "_F.SHP" gives
//   a row and its delivery files are copied to the working names (replacing
//   them; a delivery file that is missing is skipped); a working shapefile
//   base + "F.SHP" gives a row. Datum is the listed file's last-write date,
//   yyyymmdd. Working copies made during the scan add no second row.
// - A row stays when base + "F.SHX" and base + ".DES" exist (names compared
//   trimmed and ignoring case); a kept row without base + "F.DBF" gets a copy
//   of the program folder's leer.DBF.
// - The table is replaced in one transaction.
// Delivery files are never changed. Nothing is written through a link or
// into a special file: such a working name is left alone and reported.
namespace GpsImport {

struct Result {
    QList<GpsRecord> rows;          // the rows written, in listing order
    QList<OperationError> problems; // copies that could not be made; the import went on
    // The table could not be written, or the GPS folder is write-protected so
    // that no working copy can be made: the table is as it was.
    OperationError error;
};

// Imports from state.gpspfad into state.database.
Result gpsdateneinlesen(ProgramState& state);

// Date of a file's last change as the table keeps it: yyyymmdd, local time.
QString datum(const QString& path);

} // namespace GpsImport
