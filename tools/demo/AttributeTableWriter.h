#pragma once

#include "OperationError.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

// Writes a shapefile's attribute table (.DBF) with one record.
namespace AttributeTableWriter {

// One column and its value: an int becomes a numeric field of 10 digits,
// anything else a text field of 60 characters in Latin-1 (as the table's
// ANSI code page declares).
struct Column {
    QByteArray name; // at most 10 characters
    QVariant value;
};

// Creates folder/baseName.DBF with the columns and one record; the header's
// date of last change is lastChange. Refuses (PathFileAccess) when the file
// exists already in any case.
OperationError write(const QString& folder, const QString& baseName, const QList<Column>& columns,
                     const QDate& lastChange);

} // namespace AttributeTableWriter
