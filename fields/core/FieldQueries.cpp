#include "FieldQueries.h"

#include "PlotColumns.h"
#include "ProjectDatabase.h"
#include "SortOrders.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {
const char* const plotColumns = "rowid, dateiname, ordner, Name, Nummer, Teil, Erntejahr, Kultur,"
                                " Anmerkung, Farbe, Flaeche, Umfang, maxDOP, anzeigen";

PlotRow readPlot(const QSqlQuery& query)
{
    PlotRow row;
    row.rowid = query.value(0).toLongLong();
    PlotRecord& p = row.record;
    p.dateiname = query.value(1).toString();
    p.ordner = query.value(2).toString();
    p.name = query.value(3).toString();
    p.nummer = query.value(4).toInt();
    p.teil = query.value(5).toInt();
    p.erntejahr = query.value(6).toInt();
    p.kultur = query.value(7).toString();
    p.anmerkung = query.value(8).toString();
    p.farbe = query.value(9).toLongLong();
    p.flaeche = query.value(10).toDouble();
    p.umfang = query.value(11).toDouble();
    p.maxDop = query.value(12).toDouble();
    p.anzeigen = query.value(13).toInt();
    return row;
}

void setError(OperationError* target, const OperationError& value)
{
    if (target)
        *target = value;
}

// Prepares and runs sql with the values bound in order.
OperationError run(QSqlQuery& query, const QString& sql, const QVariantList& values,
                   const QString& where)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return {ErrorKind::Database, query.lastError().text(), where};
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return {ErrorKind::Database, query.lastError().text(), where};
    return OperationError::none();
}

OperationError refusedOrder(const QString& order)
{
    return {ErrorKind::InvalidArgument, QStringLiteral("unknown sort order: ") + order,
            QStringLiteral("order by")};
}

// Runs the prepared query with values bound in order and returns the
// affected row count in count.
OperationError runPrepared(QSqlQuery& query, const QVariantList& values, const QString& where,
                           int* count)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values.at(i));
    const bool ok = query.exec();
    if (count)
        *count = ok ? query.numRowsAffected() : 0;
    return ok ? OperationError::none()
              : OperationError{ErrorKind::Database, query.lastError().text(), where};
}

// Runs sql with the statement kept in slot, preparing it on first use.
OperationError changeKept(ProjectDatabase& database, std::unique_ptr<QSqlQuery>& slot,
                          const QString& sql, const QVariantList& values, int* count)
{
    if (!slot) {
        auto query = std::make_unique<QSqlQuery>(database.database());
        if (!query->prepare(sql)) {
            if (count)
                *count = 0;
            return {ErrorKind::Database, query->lastError().text(), database.path()};
        }
        slot = std::move(query);
    }
    return runPrepared(*slot, values, database.path(), count);
}

// Runs sql once and returns the affected row count in count.
OperationError change(ProjectDatabase& database, const QString& sql, const QVariantList& values,
                      int* count)
{
    std::unique_ptr<QSqlQuery> once;
    return changeKept(database, once, sql, values, count);
}

const char* const firstRowOfPlot =
    "select rowid from schlagdaten where ordner = ? and dateiname = ? order by rowid limit 1";
} // namespace

FieldQueries::FieldQueries(ProjectDatabase& database) : m_database(database) {}

FieldQueries::~FieldQueries() = default;

QList<FarmRow> FieldQueries::farmGrid(const QString& betriebsortierung, OperationError* error) const
{
    QList<FarmRow> farms;
    const QString order = SortOrders::checkedFarmOrder(betriebsortierung);
    if (order.isEmpty()) {
        setError(error, refusedOrder(betriebsortierung));
        return farms;
    }
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query, QStringLiteral("select rowid, Name from betriebe order by %1, rowid").arg(order),
            {}, m_database.path());
    setError(error, failure);
    while (!failure.isError() && query.next())
        farms.append({query.value(0).toLongLong(), query.value(1).toString()});
    return farms;
}

QList<PlotRow> FieldQueries::fieldGrid(const QString& schlagsortierung, OperationError* error) const
{
    QList<PlotRow> plots;
    const QString order = SortOrders::checkedPlotOrder(schlagsortierung);
    if (order.isEmpty()) {
        setError(error, refusedOrder(schlagsortierung));
        return plots;
    }
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query,
            QStringLiteral("select %1 from schlagdaten where anzeigen = 1 order by %2, rowid")
                .arg(QLatin1String(plotColumns), order),
            {}, m_database.path());
    setError(error, failure);
    while (!failure.isError() && query.next())
        plots.append(readPlot(query));
    return plots;
}

bool FieldQueries::plotExists(const PlotKey& key, OperationError* error) const
{
    return plot(key, error).has_value();
}

std::optional<PlotRow> FieldQueries::plot(const PlotKey& key, OperationError* error) const
{
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query,
            QStringLiteral("select %1 from schlagdaten where ordner = ? and dateiname = ?"
                           " order by rowid limit 1")
                .arg(QLatin1String(plotColumns)),
            {key.ordner, key.dateiname}, m_database.path());
    setError(error, failure);
    if (failure.isError() || !query.next())
        return std::nullopt;
    return readPlot(query);
}

OperationError FieldQueries::resetDisplayed(int* changed)
{
    // Databases made by earlier versions carry an index on anzeigen. Every
    // selection rewrites the flag on up to all rows, which the index made
    // twice as slow, while the one query it served (the field grid) reads
    // 10,000 rows in under a millisecond without it.
    const OperationError dropped =
        change(m_database, QStringLiteral("drop index if exists schlagdaten_anzeigen"), {}, nullptr);
    if (dropped.isError())
        return dropped;
    return change(m_database,
                  QStringLiteral("update schlagdaten set anzeigen = 0"
                                 " where anzeigen is null or anzeigen <> 0"),
                  {}, changed);
}

OperationError FieldQueries::markDisplayed(const PlotKey& key, int* marked)
{
    return changeKept(m_database, m_mark,
                      QStringLiteral("update schlagdaten set anzeigen = 1 where rowid = (%1)")
                          .arg(QLatin1String(firstRowOfPlot)),
                      {key.ordner, key.dateiname}, marked);
}

QString FieldQueries::nocaseKey(const QString& name)
{
    QString key = name;
    for (QChar& c : key) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return key;
}

QHash<QString, qint64> FieldQueries::firstRowsOfFarm(const QString& ordner,
                                                     OperationError* error) const
{
    QHash<QString, qint64> rows;
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query,
            QStringLiteral("select rowid, dateiname from schlagdaten where ordner = ?"
                           " and dateiname is not null order by rowid"),
            {ordner}, m_database.path());
    setError(error, failure);
    while (!failure.isError() && query.next()) {
        const QString name = nocaseKey(query.value(1).toString());
        if (!rows.contains(name))
            rows.insert(name, query.value(0).toLongLong());
    }
    return rows;
}

OperationError FieldQueries::markRowsDisplayed(const QList<qint64>& rowids)
{
    // One statement of chunk values, prepared once; the last chunk is filled
    // up with its last rowid.
    constexpr qsizetype chunk = 256;
    std::unique_ptr<QSqlQuery> statement;
    const QString sql = QStringLiteral("update schlagdaten set anzeigen = 1 where rowid in (?%1)")
                            .arg(QStringLiteral(",?").repeated(chunk - 1));
    QVariantList values(chunk);
    for (qsizetype from = 0; from < rowids.size(); from += chunk) {
        for (qsizetype i = 0; i < chunk; ++i)
            values[i] = rowids.at(std::min(from + i, rowids.size() - 1));
        const OperationError error = changeKept(m_database, statement, sql, values, nullptr);
        if (error.isError())
            return error;
    }
    return OperationError::none();
}

OperationError FieldQueries::addDisplayedPlot(const PlotKey& key, const PlotFill& fill)
{
    return changeKept(m_database, m_add,
                      QStringLiteral("insert into schlagdaten (dateiname, Name, ordner, anzeigen,"
                                     " Flaeche, Umfang, Farbe) values (?, ?, ?, 1, ?, ?, ?)"),
                      {key.dateiname, key.dateiname, key.ordner, fill.flaeche, fill.umfang,
                       fill.farbe},
                      nullptr);
}

QList<std::pair<PlotKey, QString>> FieldQueries::untouchedPlots(OperationError* error) const
{
    QList<std::pair<PlotKey, QString>> plots;
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query,
            QStringLiteral("select ordner, dateiname, Kultur from schlagdaten"
                           " where coalesce(Flaeche, 0) = 0 and coalesce(Umfang, 0) = 0"
                           " and coalesce(Farbe, 0) = 0"),
            {}, m_database.path());
    setError(error, failure);
    while (!failure.isError() && query.next())
        plots.append({{query.value(0).toString(), query.value(1).toString()},
                      query.value(2).toString()});
    return plots;
}

OperationError FieldQueries::fillUntouched(const PlotKey& key, const PlotFill& fill)
{
    return change(m_database,
                  QStringLiteral(
                      "update schlagdaten set"
                      " Flaeche = case when coalesce(Flaeche, 0) = 0 then ? else Flaeche end,"
                      " Umfang = case when coalesce(Umfang, 0) = 0 then ? else Umfang end,"
                      " Farbe = case when coalesce(Farbe, 0) = 0 then ? else Farbe end"
                      " where ordner = ? and dateiname = ?"),
                  {fill.flaeche, fill.umfang, fill.farbe, key.ordner, key.dateiname}, nullptr);
}

int FieldQueries::plotCountOfFarm(const QString& ordner, OperationError* error) const
{
    QSqlQuery query(m_database.database());
    const OperationError failure =
        run(query, QStringLiteral("select count(*) from schlagdaten where ordner = ?"), {ordner},
            m_database.path());
    setError(error, failure);
    return !failure.isError() && query.next() ? query.value(0).toInt() : 0;
}

OperationError FieldQueries::deletePlotRows(const PlotKey& key, int* deleted)
{
    return change(m_database,
                  QStringLiteral("delete from schlagdaten where ordner = ? and dateiname = ?"),
                  {key.ordner, key.dateiname}, deleted);
}

OperationError FieldQueries::deleteFarmRowsInTransaction(const QString& name, FarmDeletion* deleted)
{
    FarmDeletion counts;
    OperationError failure =
        change(m_database, QStringLiteral("delete from betriebe where Name = ?"), {name},
               &counts.farmRows);
    if (!failure.isError())
        failure = change(m_database, QStringLiteral("delete from schlagdaten where ordner = ?"),
                         {name}, &counts.plotRows);
    if (deleted)
        *deleted = failure.isError() ? FarmDeletion{} : counts;
    return failure;
}

OperationError FieldQueries::deleteFarmRows(const QString& name, FarmDeletion* deleted)
{
    FarmDeletion counts;
    const OperationError error =
        m_database.inTransaction([&]() { return deleteFarmRowsInTransaction(name, &counts); });
    if (deleted)
        *deleted = error.isError() ? FarmDeletion{} : counts;
    return error;
}

OperationError FieldQueries::setPlotValue(qint64 rowid, int column, const QVariant& value)
{
    const QString field = PlotColumns::editableField(column);
    if (field.isEmpty())
        return {ErrorKind::InvalidArgument, QStringLiteral("column %1 is not editable").arg(column),
                QStringLiteral("schlagdaten")};
    return change(m_database,
                  QStringLiteral("update schlagdaten set %1 = ? where rowid = ?").arg(field),
                  {value, rowid}, nullptr);
}
