#pragma once

#include "OperationError.h"
#include "ProjectDatabase.h"

#include <QList>
#include <QString>

// A gpsdaten row with its bookmark (the SQLite rowid), as the GPS grid lists it.
struct GpsRow {
    qint64 rowid = 0;
    GpsRecord record;
};

// The table gpsdaten: a cache of the measurements of the GPS source folder,
// rebuilt by every import.
namespace GpsTable {

// The sort orders of the GPS grid (gpssortierung).
QString byName();        // "Dateiname"
QString byDateAndName(); // "Datum,Dateiname"
// The order a click on header column sets; empty for other columns.
QString orderForColumn(int column);

// The rows in the order gpssortierung names (an unknown order sorts by
// name), rows of equal keys in the order they were written.
QList<GpsRow> rows(const ProjectDatabase& database, const QString& gpssortierung,
                   OperationError* error = nullptr);

// Replaces every row by records in one transaction: on failure the table is
// as it was.
OperationError replaceAll(ProjectDatabase& database, const QList<GpsRecord>& records);

} // namespace GpsTable
