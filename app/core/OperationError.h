#pragma once

#include <QString>

// Kinds of failure that the program branches on. The numbers are those of the
// run-time errors the original design listed, kept so that callers can test
// for "skip on 53 and 75" the way the operations describe.
enum class ErrorKind {
    None = 0,
    InvalidArgument = 5,
    FileNotFound = 53,
    PastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccess = 75,
    PathNotFound = 76,
    NullValue = 94,
    Database = 3000,         // the database engine refused a query or a file
    NotADatabase = 3001,     // the file is no SQLite database
    AccessDatabase = 3002,   // an Access (Jet/ACE) file of the earlier Windows version
    TableMissing = 3003,     // detail: the table
    ColumnMissing = 3004,    // detail: table.column
    UnknownCollation = 3005, // detail: the collation's name
    FolderNotFile = 3006,    // a folder stands where a file is expected
    FileNotFolder = 3007,    // a file stands where a folder is expected
    Refused = 3008, // a link or special file stood where a file is read or written: left alone
    AccessDamaged = 3009, // an Access file that cannot be read whole (cut short, unreadable page)
};

// What went wrong, where and with which detail. Readers and operations return
// it; windows turn it into a catalogue message.
struct OperationError {
    ErrorKind kind = ErrorKind::None;
    QString detail; // engine or system text, untranslated
    QString where;  // file name or operation the failure concerns

    bool isError() const { return kind != ErrorKind::None; }
    int code() const { return static_cast<int>(kind); }
    static OperationError none() { return {}; }
};
