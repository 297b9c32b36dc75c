#pragma once

#include "OperationError.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Checks that tell why a database file cannot serve before anything relies on
// it: what the file is, and whether a table has the columns the program uses.
// Each failure names the file in where and has a kind of its own, so that the
// window can say what is wrong in the catalogue's words.
namespace SqliteChecks {

// What the entry at path is, judged by its first bytes without opening it as
// a database: a folder (FolderNotFile), an Access file of the earlier Windows
// version (AccessDatabase), anything without the SQLite header (NotADatabase).
// An empty file passes: SQLite takes it for a database without tables.
OperationError checkFile(const QString& path);

// Whether the first bytes of a file are those of a Jet (Access 97 to 2003) or
// ACE (Access 2007 on) database.
bool isAccessHeader(const QByteArray& head);

// Table exists (TableMissing) with every column (ColumnMissing, names compared
// ignoring case), and statements comparing and sorting by those columns, and
// inserting into them when written is true, can be prepared. SQLite looks up
// a column's collation only then, so an unknown one shows here
// (UnknownCollation) and not as an empty result later.
OperationError checkTable(const QSqlDatabase& db, const QString& path, const QString& table,
                          const QStringList& columns, bool written);

} // namespace SqliteChecks
