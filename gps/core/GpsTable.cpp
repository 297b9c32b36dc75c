#include "GpsTable.h"

#include <QSqlError>
#include <QSqlQuery>

namespace GpsTable {

QString byName()
{
    return QStringLiteral("Dateiname");
}

QString byDateAndName()
{
    return QStringLiteral("Datum,Dateiname");
}

QString orderForColumn(int column)
{
    if (column == 0)
        return byName();
    if (column == 1)
        return byDateAndName();
    return {};
}

QList<GpsRow> rows(const ProjectDatabase& database, const QString& gpssortierung,
                   OperationError* error)
{
    // The order is one of two fixed clauses, never text from elsewhere.
    const QString order = gpssortierung.trimmed().compare(byDateAndName(), Qt::CaseInsensitive) == 0
                              ? QStringLiteral("Datum, dateiname, rowid")
                              : QStringLiteral("dateiname, rowid");
    QList<GpsRow> found;
    QSqlQuery query(database.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select rowid, dateiname, Datum from gpsdaten order by ") +
                    order)) {
        if (error)
            *error = {ErrorKind::Database, query.lastError().text(), database.path()};
        return found;
    }
    while (query.next())
        found.append({query.value(0).toLongLong(),
                      {query.value(1).toString(), query.value(2).toString()}});
    return found;
}

OperationError replaceAll(ProjectDatabase& database, const QList<GpsRecord>& records)
{
    return database.inTransaction([&]() -> OperationError {
        QSqlQuery query(database.database());
        if (!query.exec(QStringLiteral("delete from gpsdaten")))
            return {ErrorKind::Database, query.lastError().text(), database.path()};
        query.prepare(QStringLiteral("insert into gpsdaten (dateiname, Datum) values (?, ?)"));
        for (const GpsRecord& record : records) {
            query.bindValue(0, record.dateiname);
            query.bindValue(1, record.datum);
            if (!query.exec())
                return {ErrorKind::Database, query.lastError().text(), database.path()};
        }
        return OperationError::none();
    });
}

} // namespace GpsTable
