#pragma once

#include "OperationError.h"

#include <QSqlDatabase>
#include <QString>

// One named Qt SQL connection to an SQLite file, removed again when the object
// goes. Opening never creates a missing file: that is reported as FileNotFound;
// a folder, an Access file or any other file that is no SQLite database is
// refused before SQLite sees it (SqliteChecks::checkFile).
class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens path (an existing regular file) for reading and writing, or
    // read-only. For writing, a link or special file at path or at one of
    // SQLite's companion files (-journal, -wal, -shm) is refused
    // (ErrorKind::Refused); reading follows a link to a regular file.
    OperationError open(const QString& path, bool readOnly = false);
    // Creates a new, empty database file at path (which must not exist).
    OperationError create(const QString& path);
    void close();

    bool isOpen() const;
    QSqlDatabase database() const;
    QString path() const { return m_path; }

private:
    OperationError openWith(const QString& path, const QString& options);
    QString m_name;
    QString m_path;
};
