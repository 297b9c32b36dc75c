#pragma once

#include <QString>
#include <QStringList>

// The ORDER BY tails of the farm grid and the field grid. Column lists cannot
// be bound as query parameters, so a query only ever takes its tail from these
// fixed lists; any other text is refused.
namespace SortOrders {

// Order of the farm grid (betriebsortierung): the farm name.
QString farmDefault(); // "Name"
QStringList farmOrders();

// Orders of the field grid (schlagsortierung): "Name" when the window loads,
// file name, number, part when a single farm is picked, and one list per
// field-grid column for a header click.
QString plotDefault();    // "Name"
QString plotSingleFarm(); // "dateiname,nummer,teil"
QStringList plotOrders();

// The order a click on field-grid header column (0 Dateiname ... 10 maxDOP)
// sets; empty for any other column, which leaves the order as it is.
QString plotOrderForColumn(int column);

// The list entry that equals order after trimming, ignoring case; empty when
// order is in neither list, so the caller refuses it.
QString checkedFarmOrder(const QString& order);
QString checkedPlotOrder(const QString& order);

} // namespace SortOrders
