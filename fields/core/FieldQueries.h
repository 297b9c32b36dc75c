#pragma once

#include "FieldRows.h"
#include "OperationError.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <utility>

class ProjectDatabase;
class QSqlQuery;

// What the synchronisation fills into a plot row it made.
struct PlotFill {
    double flaeche = 0; // hectares
    double umfang = 0;  // metres
    qint64 farbe = 0;
};

// The queries and row operations of the farm and field window and of the
// folder synchronisation on betriebe and schlagdaten. Every value is a bound
// parameter; an ORDER BY tail is taken only from SortOrders and any other
// text is refused with InvalidArgument. Rows of equal sort keys keep the
// order in which they were added. All plots of a farm: ProjectDatabase.
class FieldQueries {
public:
    explicit FieldQueries(ProjectDatabase& database);
    ~FieldQueries();
    FieldQueries(const FieldQueries&) = delete;
    FieldQueries& operator=(const FieldQueries&) = delete;

    // The farm grid in the order betriebsortierung.
    QList<FarmRow> farmGrid(const QString& betriebsortierung, OperationError* error) const;
    // The field grid: the rows with anzeigen = 1 in the order schlagsortierung.
    QList<PlotRow> fieldGrid(const QString& schlagsortierung, OperationError* error) const;

    bool plotExists(const PlotKey& key, OperationError* error) const;
    // The first row of the plot (the earliest added), or nothing.
    std::optional<PlotRow> plot(const PlotKey& key, OperationError* error) const;

    // Sets anzeigen to 0 in every row; changed = rows that had another value.
    OperationError resetDisplayed(int* changed = nullptr);
    // Sets anzeigen to 1 in the first row of the plot; marked = 0 when the
    // plot has no row. This and addDisplayedPlot keep their statement
    // prepared, for the thousands of calls of one synchronisation.
    OperationError markDisplayed(const PlotKey& key, int* marked = nullptr);
    // The first row of each plot of the farm (ordner compared as the
    // database does, ignoring ASCII case): rowid by nocaseKey(dateiname).
    QHash<QString, qint64> firstRowsOfFarm(const QString& ordner, OperationError* error) const;
    // Sets anzeigen to 1 in the rows given, a few statements for them all.
    OperationError markRowsDisplayed(const QList<qint64>& rowids);
    // name as the database's NOCASE collation compares it: ASCII letters folded.
    static QString nocaseKey(const QString& name);
    // Adds a row as the synchronisation does: dateiname and Name = the base
    // name, ordner, anzeigen = 1, the measures (ha, m) and colour given,
    // every other column its default.
    OperationError addDisplayedPlot(const PlotKey& key, const PlotFill& fill = {});

    // Rows the synchronisation made and nobody changed since: Flaeche,
    // Umfang and Farbe all 0. Their plot keys with their Kultur, all farms.
    QList<std::pair<PlotKey, QString>> untouchedPlots(OperationError* error) const;
    // Fills those of Flaeche, Umfang and Farbe of the plot's rows that are
    // still 0; a value the user entered stays.
    OperationError fillUntouched(const PlotKey& key, const PlotFill& fill);
    // Number of rows of the farm.
    int plotCountOfFarm(const QString& ordner, OperationError* error) const;

    // Deletes every row of the plot.
    OperationError deletePlotRows(const PlotKey& key, int* deleted = nullptr);
    // Deletes the farm's betriebe row and all its schlagdaten rows in one
    // transaction.
    struct FarmDeletion {
        int farmRows = 0;
        int plotRows = 0;
    };
    OperationError deleteFarmRows(const QString& name, FarmDeletion* deleted = nullptr);
    // The same inside a transaction the caller holds.
    OperationError deleteFarmRowsInTransaction(const QString& name,
                                               FarmDeletion* deleted = nullptr);

    // Stores value in field-grid column (1 Nummer ... 7 Farbe, PlotColumns)
    // of the row with that bookmark. Other columns are refused.
    OperationError setPlotValue(qint64 rowid, int column, const QVariant& value);

private:
    ProjectDatabase& m_database;
    std::unique_ptr<QSqlQuery> m_mark;
    std::unique_ptr<QSqlQuery> m_add;
};
