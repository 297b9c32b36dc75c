#include "SqliteConnection.h"

#include "FileGuard.h"
#include "SqliteChecks.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

SqliteConnection::~SqliteConnection()
{
    close();
}

OperationError SqliteConnection::open(const QString& path, bool readOnly)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {ErrorKind::FileNotFound, QStringLiteral("file not found"), path};
    // A folder where the database should be is named as such.
    if (info.isDir())
        return SqliteChecks::checkFile(path);
    // SQLite writes through a link and beside the file it points to, so a
    // database opened for writing must be a regular file itself, and so must
    // the companion files SQLite writes next to it.
    if (!readOnly) {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            const OperationError error = FileGuard::checkTarget(path + QLatin1String(suffix));
            if (error.isError())
                return error;
        }
    }
    if (!info.isFile())
        return {ErrorKind::Refused, QStringLiteral("not a regular file"), path};
    if (!info.isReadable())
        return {ErrorKind::PermissionDenied, QStringLiteral("permission denied"), path};
    // SQLite would take an Access file or a text for a damaged database and
    // say so in its own words; tell them apart first.
    if (const OperationError error = SqliteChecks::checkFile(path); error.isError())
        return error;
    return openWith(path, readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY")
                                   : QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
}

OperationError SqliteConnection::create(const QString& path)
{
    // Any entry counts, a dangling link included: SQLite would create the
    // file it points to.
    if (FileGuard::entryAt(path) != FileGuard::Entry::Missing)
        return {ErrorKind::PathFileAccess, QStringLiteral("file exists"), path};
    return openWith(path, QString());
}

OperationError SqliteConnection::openWith(const QString& path, const QString& options)
{
    close();
    m_name = QStringLiteral("sqlite-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    m_path = path;
    OperationError error;
    {
        // Every handle on the connection must be gone before close() removes
        // it, or Qt warns that it is still in use.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(options);
        if (!db.open()) {
            error = {ErrorKind::Database, db.lastError().text(), path};
        } else {
            // SQLite opens lazily: touch the schema so that a damaged file is
            // reported here and not at the first real query.
            QSqlQuery probe(db);
            if (!probe.exec(QStringLiteral("select count(*) from sqlite_master")))
                error = {ErrorKind::Database, probe.lastError().text(), path};
            // Every commit is on disk before it returns, journal included:
            // a power cut loses at most the transaction under way.
            else if (!probe.exec(QStringLiteral("pragma synchronous = full")))
                error = {ErrorKind::Database, probe.lastError().text(), path};
        }
    }
    if (error.isError())
        close();
    return error;
}

void SqliteConnection::close()
{
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

bool SqliteConnection::isOpen() const
{
    return !m_name.isEmpty() && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase SqliteConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}
