#include "AccessImport.h"

#include "AccessReader.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "ImportChecks.h"
#include "ProjectDatabase.h"
#include "SqliteConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <cstring>

namespace {

// The rows of one project table, with the columns they fill.
struct TableRows {
    QString table;
    QStringList columns;
    QList<QVariantList> rows;

    QStringList texts(const QString& column) const
    {
        QStringList values;
        const qsizetype index = columns.indexOf(column);
        for (const QVariantList& row : rows)
            values << (index < 0 ? QString() : row.at(index).toString());
        return values;
    }
};

// Whether values of an Access column of this kind go exactly into a project
// column of the declared type.
bool fits(AccessValueKind kind, const QString& type)
{
    if (type == QLatin1String("TEXT"))
        return kind == AccessValueKind::Text;
    if (type == QLatin1String("INTEGER"))
        return kind == AccessValueKind::Integer;
    return kind == AccessValueKind::Integer || kind == AccessValueKind::Real;
}

const char* kindName(AccessValueKind kind)
{
    switch (kind) {
    case AccessValueKind::Text:
        return "text";
    case AccessValueKind::Integer:
        return "whole numbers";
    case AccessValueKind::Real:
        return "numbers";
    case AccessValueKind::Unreadable:
        break;
    }
    return "values of another type";
}

// Matches the columns of an Access table to those of the project table. Every
// column the program uses must be there with values that fit it; the others
// are left out.
OperationError matched(const QString& table, const AccessTable& source, const QString& path,
                       TableRows* result, QStringList* leftOut)
{
    *result = {table, {}, {}};
    const QStringList wanted = ProjectDatabase::columnNames(table);
    QList<qsizetype> taken;
    for (qsizetype i = 0; i < source.columns.size(); ++i) {
        const QString& name = source.columns.at(i);
        const auto match = std::find_if(wanted.begin(), wanted.end(), [&](const QString& column) {
            return column.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (match == wanted.end() || result->columns.contains(*match)) {
            leftOut->append(table + '.' + name);
            continue;
        }
        const AccessValueKind kind = source.kinds.value(i, AccessValueKind::Unreadable);
        const QString type = ProjectDatabase::columnType(table, *match);
        if (!fits(kind, type))
            return {ErrorKind::AccessDamaged,
                    QStringLiteral("column %1.%2 holds %3, the program needs %4")
                        .arg(table, name, QLatin1String(kindName(kind)),
                             QLatin1String(type == QLatin1String("TEXT") ? "text"
                                           : type == QLatin1String("INTEGER")
                                               ? "whole numbers"
                                               : "numbers")),
                    path};
        result->columns << *match;
        taken << i;
    }
    for (const QString& column : wanted) {
        if (!result->columns.contains(column))
            return {ErrorKind::ColumnMissing, table + '.' + column, path};
    }
    for (const QVariantList& row : source.rows) {
        QVariantList values;
        for (const qsizetype i : taken)
            values << row.at(i);
        result->rows << values;
    }
    return OperationError::none();
}

OperationError writeRows(QSqlDatabase& db, const QString& path, const TableRows& table)
{
    QSqlQuery query(db);
    const QStringList marks(table.columns.size(), QStringLiteral("?"));
    const QString statement = table.columns.isEmpty()
                                  ? QStringLiteral("insert into %1 default values").arg(table.table)
                                  : QStringLiteral("insert into %1 (%2) values (%3)")
                                        .arg(table.table, table.columns.join(QStringLiteral(", ")),
                                             marks.join(QStringLiteral(", ")));
    if (!query.prepare(statement))
        return {ErrorKind::Database, query.lastError().text(), path};
    for (const QVariantList& row : table.rows) {
        for (qsizetype i = 0; i < row.size(); ++i)
            query.bindValue(int(i), row.at(i));
        if (!query.exec())
            return {ErrorKind::Database, query.lastError().text(), path};
    }
    return OperationError::none();
}

// A new project database at path holding tables, in one transaction.
OperationError writeDatabase(const QString& path, const QList<TableRows>& tables)
{
    if (OperationError error = ProjectDatabase::createEmpty(path); error.isError())
        return error;
    SqliteConnection connection;
    if (OperationError error = connection.open(path); error.isError())
        return error;
    QSqlDatabase db = connection.database();
    if (const int injected = FileGuard::step(FileGuard::Step::DatabaseBegin, path))
        return {ErrorKind::Database, QString::fromLocal8Bit(std::strerror(injected)), path};
    if (!db.transaction())
        return {ErrorKind::Database, db.lastError().text(), path};
    for (const TableRows& table : tables) {
        if (OperationError error = writeRows(db, path, table); error.isError()) {
            db.rollback();
            return error;
        }
    }
    if (const int injected = FileGuard::step(FileGuard::Step::DatabaseCommit, path)) {
        db.rollback();
        return {ErrorKind::Database, QString::fromLocal8Bit(std::strerror(injected)), path};
    }
    if (!db.commit()) {
        const OperationError error{ErrorKind::Database, db.lastError().text(), path};
        db.rollback();
        return error;
    }
    return OperationError::none();
}

bool sameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

} // namespace

namespace AccessImport {

Result run(const QString& programFolder, const QString& accessFile)
{
    const QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(programFolder));
    if (!QFileInfo(folder).isDir())
        return {{ErrorKind::PathNotFound, QStringLiteral("no such folder"), folder}, {}};
    const QString target = FileResolver::resolve(folder, ProjectDatabase::fileName());
    const QString source = accessFile.isEmpty()
                               ? target
                               : QDir::cleanPath(QDir::current().absoluteFilePath(accessFile));

    QList<AccessTable> accessTables;
    const QStringList tableNames = ProjectDatabase::tableNames();
    if (OperationError error = AccessReader::read(source, tableNames, &accessTables);
        error.isError())
        return {error, {}};

    Result result;
    QList<TableRows> tables;
    for (qsizetype i = 0; i < tableNames.size(); ++i) {
        TableRows rows;
        if (OperationError error = matched(tableNames.at(i), accessTables.at(i), source, &rows,
                                           &result.report.leftOut);
            error.isError())
            return {error, {}};
        tables << rows;
    }
    const auto writer = [&](const QString& scratch) { return writeDatabase(scratch, tables); };
    // The scratch database of an import cut short goes before this one writes.
    const QString targetName = QFileInfo(target).fileName();
    FileGuard::removeScratch(folder, folder, {targetName, targetName + QStringLiteral("-journal")});
    if (sameFile(source, target)) {
        result.report.keptAs = FileResolver::resolve(folder, ProjectDatabase::accessFileName());
        result.error = FileGuard::supersede(folder, target, result.report.keptAs, writer);
    } else {
        result.report.keptAs = source;
        result.error = FileGuard::createNew(folder, target, writer);
    }
    if (result.error.isError())
        return {result.error, {}};

    const TableRows& farms = tables.at(0);
    const TableRows& plots = tables.at(1);
    result.report.farms = int(farms.rows.size());
    result.report.plots = int(plots.rows.size());
    result.report.measurements = int(tables.at(2).rows.size());
    const QStringList ordner = plots.texts(QStringLiteral("ordner"));
    const QStringList dateiname = plots.texts(QStringLiteral("dateiname"));
    QList<ImportChecks::Plot> plotKeys;
    for (qsizetype i = 0; i < ordner.size(); ++i)
        plotKeys.append({ordner.at(i), dateiname.at(i)});
    result.report.findings =
        ImportChecks::run(folder, farms.texts(QStringLiteral("Name")), plotKeys);
    return result;
}

} // namespace AccessImport
