#include "ProjectDatabase.h"

#include "FileResolver.h"
#include "SqliteChecks.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <cstring>

namespace {
const char* const schema[] = {
    "create table betriebe (Name TEXT COLLATE NOCASE)",
    "create table schlagdaten ("
    " dateiname TEXT COLLATE NOCASE, ordner TEXT COLLATE NOCASE, Name TEXT COLLATE NOCASE,"
    " Nummer INTEGER DEFAULT 0, Teil INTEGER DEFAULT 0, Erntejahr INTEGER DEFAULT 0,"
    " Kultur TEXT COLLATE NOCASE, Anmerkung TEXT COLLATE NOCASE, Farbe INTEGER DEFAULT 0,"
    " Flaeche REAL DEFAULT 0, Umfang REAL DEFAULT 0, maxDOP REAL DEFAULT 0,"
    " anzeigen INTEGER DEFAULT 0)",
    "create table gpsdaten (dateiname TEXT COLLATE NOCASE, Datum TEXT COLLATE NOCASE)",
    "create index betriebe_name on betriebe (Name)",
    "create index schlagdaten_plot on schlagdaten (ordner, dateiname)",
    "create index gpsdaten_dateiname on gpsdaten (dateiname)",
};

// The columns the program reads and writes, table by table.
struct TableColumns {
    const char* table;
    QStringList columns;
};
const TableColumns usedColumns[] = {
    {"betriebe", {"Name"}},
    {"schlagdaten",
     {"dateiname", "ordner", "Name", "Nummer", "Teil", "Erntejahr", "Kultur", "Anmerkung", "Farbe",
      "Flaeche", "Umfang", "maxDOP", "anzeigen"}},
    {"gpsdaten", {"dateiname", "Datum"}},
};

void setError(OperationError* target, const OperationError& value)
{
    if (target)
        *target = value;
}
} // namespace

OperationError ProjectDatabase::open(const QString& programFolder)
{
    const QString path = FileResolver::resolve(programFolder, fileName());
    OperationError error = m_connection.open(path);
    if (error.isError())
        return error;
    for (const TableColumns& used : usedColumns) {
        error = SqliteChecks::checkTable(m_connection.database(), path,
                                         QString::fromLatin1(used.table), used.columns, true);
        if (error.isError()) {
            m_connection.close();
            return error;
        }
    }
    return OperationError::none();
}

OperationError ProjectDatabase::createEmpty(const QString& path)
{
    SqliteConnection connection;
    OperationError error = connection.create(path);
    if (error.isError())
        return error;
    QSqlQuery query(connection.database());
    for (const char* statement : schema) {
        if (!query.exec(QString::fromLatin1(statement)))
            return {ErrorKind::Database, query.lastError().text(), path};
    }
    return OperationError::none();
}

QStringList ProjectDatabase::tableNames()
{
    QStringList names;
    for (const TableColumns& used : usedColumns)
        names << QString::fromLatin1(used.table);
    return names;
}

QStringList ProjectDatabase::columnNames(const QString& table)
{
    for (const TableColumns& used : usedColumns) {
        if (table.compare(QLatin1String(used.table), Qt::CaseInsensitive) == 0)
            return used.columns;
    }
    return {};
}

QString ProjectDatabase::columnType(const QString& table, const QString& column)
{
    const QRegularExpression create(
        QStringLiteral("^create table %1 \\((.*)\\)$").arg(QRegularExpression::escape(table)),
        QRegularExpression::CaseInsensitiveOption);
    for (const char* statement : schema) {
        const QRegularExpressionMatch match = create.match(QString::fromLatin1(statement));
        if (!match.hasMatch())
            continue;
        for (const QString& definition : match.captured(1).split(QLatin1Char(','))) {
            const QStringList words = definition.simplified().split(QLatin1Char(' '));
            if (words.size() >= 2 && words.at(0).compare(column, Qt::CaseInsensitive) == 0)
                return words.at(1).toUpper();
        }
    }
    return {};
}

OperationError ProjectDatabase::failure(const QString& detail) const
{
    const QString engine = m_connection.database().lastError().text();
    return {ErrorKind::Database, engine.isEmpty() ? detail : engine, m_connection.path()};
}

OperationError ProjectDatabase::injectedFailure(int error) const
{
    return {ErrorKind::Database, QString::fromLocal8Bit(std::strerror(error)), m_connection.path()};
}

QStringList ProjectDatabase::farmNames(OperationError* error) const
{
    QStringList names;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("select Name from betriebe order by name"))) {
        setError(error, {ErrorKind::Database, query.lastError().text(), path()});
        return names;
    }
    while (query.next())
        names.append(query.value(0).toString());
    return names;
}

bool ProjectDatabase::farmExists(const QString& name, OperationError* error) const
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("select 1 from betriebe where name = ? limit 1"));
    query.addBindValue(name);
    if (!query.exec()) {
        setError(error, {ErrorKind::Database, query.lastError().text(), path()});
        return false;
    }
    return query.next();
}

OperationError ProjectDatabase::addFarm(const QString& name)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("insert into betriebe (Name) values (?)"));
    query.addBindValue(name);
    if (!query.exec())
        return {ErrorKind::Database, query.lastError().text(), path()};
    return OperationError::none();
}

OperationError ProjectDatabase::addPlot(const PlotRecord& plot)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral(
        "insert into schlagdaten (dateiname, ordner, Name, Nummer, Teil, Erntejahr, Kultur,"
        " Anmerkung, Farbe, Flaeche, Umfang, maxDOP, anzeigen)"
        " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& value :
         {QVariant(plot.dateiname), QVariant(plot.ordner), QVariant(plot.name),
          QVariant(plot.nummer), QVariant(plot.teil), QVariant(plot.erntejahr),
          QVariant(plot.kultur), QVariant(plot.anmerkung), QVariant(plot.farbe),
          QVariant(plot.flaeche), QVariant(plot.umfang), QVariant(plot.maxDop),
          QVariant(plot.anzeigen)})
        query.addBindValue(value);
    if (!query.exec())
        return {ErrorKind::Database, query.lastError().text(), path()};
    return OperationError::none();
}

int ProjectDatabase::countRows(const QString& table, OperationError* error) const
{
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("select count(*) from ") + table) || !query.next()) {
        setError(error, {ErrorKind::Database, query.lastError().text(), path()});
        return 0;
    }
    return query.value(0).toInt();
}

int ProjectDatabase::plotCount(OperationError* error) const
{
    return countRows(QStringLiteral("schlagdaten"), error);
}

QList<PlotRecord> ProjectDatabase::plotsOfFarm(const QString& ordner, OperationError* error) const
{
    QList<PlotRecord> plots;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "select dateiname, ordner, Name, Nummer, Teil, Erntejahr, Kultur, Anmerkung, Farbe,"
        " Flaeche, Umfang, maxDOP, anzeigen from schlagdaten where ordner = ? order by dateiname"));
    query.addBindValue(ordner);
    if (!query.exec()) {
        setError(error, {ErrorKind::Database, query.lastError().text(), path()});
        return plots;
    }
    while (query.next()) {
        PlotRecord p;
        p.dateiname = query.value(0).toString();
        p.ordner = query.value(1).toString();
        p.name = query.value(2).toString();
        p.nummer = query.value(3).toInt();
        p.teil = query.value(4).toInt();
        p.erntejahr = query.value(5).toInt();
        p.kultur = query.value(6).toString();
        p.anmerkung = query.value(7).toString();
        p.farbe = query.value(8).toLongLong();
        p.flaeche = query.value(9).toDouble();
        p.umfang = query.value(10).toDouble();
        p.maxDop = query.value(11).toDouble();
        p.anzeigen = query.value(12).toInt();
        plots.append(p);
    }
    return plots;
}

OperationError ProjectDatabase::addGps(const GpsRecord& record)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("insert into gpsdaten (dateiname, Datum) values (?, ?)"));
    query.addBindValue(record.dateiname);
    query.addBindValue(record.datum);
    if (!query.exec())
        return {ErrorKind::Database, query.lastError().text(), path()};
    return OperationError::none();
}

int ProjectDatabase::gpsCount(OperationError* error) const
{
    return countRows(QStringLiteral("gpsdaten"), error);
}

OperationError ProjectDatabase::clearGpsdaten()
{
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("delete from gpsdaten")))
        return {ErrorKind::Database, query.lastError().text(), path()};
    return OperationError::none();
}

OperationError ProjectDatabase::notOpen(const QString& programFolder)
{
    return {ErrorKind::Database, QStringLiteral("the project database is not open"),
            FileResolver::resolve(programFolder, fileName())};
}
