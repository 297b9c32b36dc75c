#include "PlotListLayout.h"

#include <QLocale>

#include <algorithm>

namespace PlotListLayout {

namespace {
// Rows plus sum line that fit between top and bottom below the headings.
int lineRoom(int top, int bottom)
{
    return std::max(0, (bottom - top - rowHeight) / rowHeight);
}

// How many of remaining rows a part with room for capacity lines takes when
// it is not the last: one row stays for the last part so that the sum line
// never stands alone.
int rowsOfPart(int remaining, int capacity)
{
    return remaining <= capacity ? remaining - 1 : capacity;
}
} // namespace

QList<Part> paginate(int rows, int pageHeight, bool ownPage, int mapTop)
{
    QList<Part> parts;
    if (rows <= 0)
        return parts;
    const int ownCapacity = lineRoom(ownPageTop, pageHeight);
    int first = 0;
    if (!ownPage) {
        const int capacity = lineRoom(mapTop, pageHeight);
        const bool last = rows + 1 <= capacity;
        const int count = last ? rows : std::max(0, rowsOfPart(rows, capacity));
        if (count > 0) {
            const int lines = count + (last ? 1 : 0);
            parts.append(
                {false, pageHeight - rowHeight - lines * rowHeight, pageHeight, 0, count, last});
            first = count;
        }
        if (last)
            return parts;
    }
    if (ownCapacity < 2)
        return {};
    while (first < rows) {
        const int remaining = rows - first;
        const bool last = remaining + 1 <= ownCapacity;
        const int count = last ? remaining : rowsOfPart(remaining, ownCapacity);
        const int lines = count + (last ? 1 : 0);
        parts.append(
            {true, ownPageTop, ownPageTop + rowHeight + lines * rowHeight, first, count, last});
        first += count;
    }
    return parts;
}

QString plotLabel(const QString& name, int nummer, int teil)
{
    QString label = name;
    if (teil != 0)
        label = QStringLiteral("/") + QString::number(teil) + ' ' + label;
    if (nummer != 0)
        label = QString::number(nummer) + ' ' + label;
    return label;
}

QString areaText(double hectares)
{
    return QLocale().toString(hectares, 'f', 4);
}

const QList<Column>& columns()
{
    static const QList<Column> table = {
        {"Betrieb", 1000, 30, 2000}, {"Schlag", 3500, 2030, 5000}, {"Flaeche", 5500, 5970, 6000},
        {"Jahr", 6250, 6030, 6500},  {"Kultur", 7500, 6530, 8500}, {"Anmerkung", -1, 8530, -1},
    };
    return table;
}

QList<Column> columnsFor(bool withFarm, double farmTextWidth)
{
    QList<Column> table = columns();
    const int border =
        withFarm ? int(std::clamp(farmTextWidth + 90, 1000.0, 3500.0)) : 0;
    table[0].rightBorder = border;
    table[0].headingCentre = border / 2;
    table[1].textX = border + 30;
    table[1].headingCentre = (border + swatchLeft) / 2;
    return table;
}

} // namespace PlotListLayout
