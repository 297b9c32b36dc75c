#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// What the values of an Access column are read as: Text a QString, Integer a
// qint64 (Yes/No, Byte, Integer, Long Integer), Real a double (Single, Double).
enum class AccessValueKind { Text, Integer, Real, Unreadable };

// One table of an Access file as read: its columns in their stored order and
// every row in the file's order. A value is a QString, a qint64, a double or a
// null QVariant (NULL). A Yes/No column gives 1 or 0. Columns of a type that
// has no such value (date, currency, memo, binary) are listed in unreadable
// and give null.
struct AccessTable {
    QString name;
    QStringList columns;
    QList<AccessValueKind> kinds; // one per column
    QStringList unreadable;
    QList<QVariantList> rows;
};

// Reads Access files (Jet 3, Jet 4 and ACE) through the mdbtools library. The
// file is read into memory first and taken only whole: its size must be a
// whole number of pages, every data page a table names must lie inside it,
// and every table must yield as many rows as it records. A table definition
// must make sense: its columns and their names lie inside the definition,
// names are printable and distinct, a fixed-size value has its type's size,
// fixed values do not overlap and every value lies inside its row. Anything
// less is ErrorKind::AccessDamaged naming the table (and column), never a
// part of the rows.
namespace AccessReader {

// Reads the tables named (names compared ignoring case) from the file at
// path into tables, in the order named. A table the file lacks is
// ErrorKind::TableMissing with the table's name as detail.
OperationError read(const QString& path, const QStringList& tableNames, QList<AccessTable>* tables);

} // namespace AccessReader
