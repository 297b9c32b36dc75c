#include "SqliteChecks.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace SqliteChecks {

namespace {

constexpr qint64 headerSize = 100;

bool isSqliteHeader(const QByteArray& head)
{
    return head.size() >= headerSize && head.startsWith(QByteArray("SQLite format 3\0", 16));
}

OperationError prepareFailure(const QSqlQuery& query, const QString& path)
{
    const QString text = query.lastError().databaseText();
    static const QRegularExpression collation(
        QStringLiteral("no such collation sequence: *(\\S+)"));
    const QRegularExpressionMatch match = collation.match(text);
    if (match.hasMatch())
        return {ErrorKind::UnknownCollation, match.captured(1), path};
    return {ErrorKind::Database, query.lastError().text(), path};
}

} // namespace

// Both start with the bytes 00 01 00 00 and the engine's name.
bool isAccessHeader(const QByteArray& head)
{
    return head.startsWith(QByteArray("\x00\x01\x00\x00", 4)) &&
           (head.mid(4, 16) == QByteArray("Standard Jet DB\0", 16) ||
            head.mid(4, 16) == QByteArray("Standard ACE DB\0", 16));
}

OperationError checkFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {ErrorKind::FolderNotFile, QStringLiteral("is a folder"), path};
    if (!info.isFile())
        return {ErrorKind::PathFileAccess, QStringLiteral("not a regular file"), path};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {file.error() == QFileDevice::PermissionsError ? ErrorKind::PermissionDenied
                                                              : ErrorKind::PathFileAccess,
                file.errorString(), path};
    const QByteArray head = file.read(headerSize);
    if (head.isEmpty() && file.size() == 0)
        return OperationError::none();
    if (isAccessHeader(head))
        return {ErrorKind::AccessDatabase, QStringLiteral("Access database"), path};
    if (!isSqliteHeader(head))
        return {ErrorKind::NotADatabase, QStringLiteral("no SQLite header"), path};
    return OperationError::none();
}

OperationError checkTable(const QSqlDatabase& db, const QString& path, const QString& table,
                          const QStringList& columns, bool written)
{
    const QSqlRecord record = db.record(table);
    if (record.isEmpty())
        return {ErrorKind::TableMissing, table, path};
    for (const QString& column : columns) {
        if (record.indexOf(column) < 0)
            return {ErrorKind::ColumnMissing, table + '.' + column, path};
    }
    QStringList conditions;
    for (const QString& column : columns)
        conditions << column + QStringLiteral(" = ?");
    const QString list = columns.join(QStringLiteral(", "));
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("select %1 from %2 where %3 order by %1")
                           .arg(list, table, conditions.join(QStringLiteral(" and ")))))
        return prepareFailure(query, path);
    const QStringList marks(columns.size(), QStringLiteral("?"));
    if (written && !query.prepare(QStringLiteral("insert into %1 (%2) values (%3)")
                                      .arg(table, list, marks.join(QStringLiteral(", ")))))
        return prepareFailure(query, path);
    return OperationError::none();
}

} // namespace SqliteChecks
