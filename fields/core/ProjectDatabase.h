#pragma once

#include "FileGuard.h"
#include "OperationError.h"
#include "SqliteConnection.h"

#include <QList>
#include <QString>
#include <QStringList>

// One row of schlagdaten: a field plot.
struct PlotRecord {
    QString dateiname; // base name of the plot's shapefile
    QString ordner;    // farm folder
    QString name;
    int nummer = 0;
    int teil = 0;
    int erntejahr = 0;
    QString kultur;
    QString anmerkung;
    qint64 farbe = 0;   // red + 256 * green + 65536 * blue
    double flaeche = 0; // hectares
    double umfang = 0;  // metres
    double maxDop = 0;
    int anzeigen = 0;
};

// One row of gpsdaten: a measurement found in the GPS source folder.
struct GpsRecord {
    QString dateiname;
    QString datum; // yyyymmdd
};

// The project database GISDATEN.MDB of the program folder: tables betriebe,
// schlagdaten and gpsdaten. Text columns compare ignoring case; every value
// goes into a query as a bound parameter.
class ProjectDatabase {
public:
    static QString fileName() { return QStringLiteral("GISDATEN.MDB"); }
    // The name an Access GISDATEN.MDB of the earlier Windows version is kept
    // under once its rows have been brought over into a new database.
    static QString accessFileName() { return QStringLiteral("GISDATEN.access.mdb"); }
    // The error of an operation that needs the program folder's database when
    // none is open (it was missing or unusable at start).
    static OperationError notOpen(const QString& programFolder);

    // Opens GISDATEN.MDB of the program folder (found ignoring case) and checks
    // that its three tables have every column the program uses, with
    // collations SQLite knows (SqliteChecks).
    OperationError open(const QString& programFolder);
    // Writes a new, empty project database with the three tables at path.
    static OperationError createEmpty(const QString& path);
    // The three tables and, for each, the columns the program uses, spelt as
    // in the schema.
    static QStringList tableNames();
    static QStringList columnNames(const QString& table);
    // The declared type of a used column ("TEXT", "INTEGER" or "REAL"); ""
    // for a column the program does not use.
    static QString columnType(const QString& table, const QString& column);

    bool isOpen() const { return m_connection.isOpen(); }
    QString path() const { return m_connection.path(); }
    QSqlDatabase database() const { return m_connection.database(); }

    // Farms.
    QStringList farmNames(OperationError* error = nullptr) const; // ordered by name
    bool farmExists(const QString& name, OperationError* error = nullptr) const;
    OperationError addFarm(const QString& name);

    // Plots.
    OperationError addPlot(const PlotRecord& plot);
    int plotCount(OperationError* error = nullptr) const;
    QList<PlotRecord> plotsOfFarm(const QString& ordner, OperationError* error = nullptr) const;

    // GPS measurements.
    OperationError addGps(const GpsRecord& record);
    int gpsCount(OperationError* error = nullptr) const;
    // Empties gpsdaten (at the end of every run).
    OperationError clearGpsdaten();

    // Runs several statements as one unit; fn returns the first failure.
    template <typename Fn> OperationError inTransaction(Fn&& fn)
    {
        QSqlDatabase db = database();
        if (const int injected = FileGuard::step(FileGuard::Step::DatabaseBegin, path()))
            return injectedFailure(injected);
        if (!db.transaction())
            return failure(QStringLiteral("begin"));
        OperationError error = fn();
        if (!error.isError()) {
            if (const int injected = FileGuard::step(FileGuard::Step::DatabaseCommit, path()))
                error = injectedFailure(injected);
        }
        if (error.isError()) {
            db.rollback();
            return error;
        }
        if (!db.commit()) {
            const OperationError refused = failure(QStringLiteral("commit"));
            db.rollback(); // a refused commit leaves the transaction open
            return refused;
        }
        return error;
    }

private:
    OperationError failure(const QString& detail) const;
    OperationError injectedFailure(int error) const;
    int countRows(const QString& table, OperationError* error) const;
    SqliteConnection m_connection;
};
