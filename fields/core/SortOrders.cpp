#include "SortOrders.h"

#include <iterator>

namespace SortOrders {

namespace {
// Indexed by field-grid column.
const char* const columnOrders[] = {
    "dateiname,nummer,teil", "nummer,teil,name",   "teil,nummer,name",      "name,nummer,teil",
    "erntejahr,nummer,teil", "kultur,nummer,teil", "Anmerkung,nummer,teil", "farbe,nummer,teil",
    "Flaeche,nummer,teil",   "Umfang,nummer,teil", "maxdop,nummer,teil",
};

QString findIn(const QStringList& orders, const QString& order)
{
    const QString wanted = order.trimmed();
    for (const QString& entry : orders) {
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}
} // namespace

QString farmDefault()
{
    return QStringLiteral("Name");
}

QStringList farmOrders()
{
    return {farmDefault()};
}

QString plotDefault()
{
    return QStringLiteral("Name");
}

QString plotSingleFarm()
{
    return plotOrderForColumn(0);
}

QStringList plotOrders()
{
    QStringList orders{plotDefault()};
    for (const char* order : columnOrders)
        orders.append(QString::fromLatin1(order));
    return orders;
}

QString plotOrderForColumn(int column)
{
    if (column < 0 || column >= int(std::size(columnOrders)))
        return {};
    return QString::fromLatin1(columnOrders[column]);
}

QString checkedFarmOrder(const QString& order)
{
    return findIn(farmOrders(), order);
}

QString checkedPlotOrder(const QString& order)
{
    return findIn(plotOrders(), order);
}

} // namespace SortOrders
