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

QList<Line> lines(const QList<PlotListRow>& rows, bool subtotals)
{
    QList<Line> result;
    if (!subtotals) {
        for (int r = 0; r < rows.size(); ++r)
            result.append({Line::Plot, r, {}, rows.at(r).areaHa});
        return result;
    }
    QStringList farms; // in order of first appearance
    for (const PlotListRow& row : rows)
        if (!farms.contains(row.farm, Qt::CaseInsensitive))
            farms.append(row.farm);
    for (const QString& farm : farms) {
        QList<int> ofFarm;
        for (int r = 0; r < rows.size(); ++r)
            if (rows.at(r).farm.compare(farm, Qt::CaseInsensitive) == 0)
                ofFarm.append(r);
        const auto crop = [&](int r) { return rows.at(r).crop.trimmed(); };
        std::stable_sort(ofFarm.begin(), ofFarm.end(), [&](int a, int b) {
            if (crop(a).isEmpty() != crop(b).isEmpty())
                return crop(b).isEmpty();
            return crop(a).compare(crop(b), Qt::CaseInsensitive) < 0;
        });
        double farmSum = 0;
        for (qsizetype i = 0; i < ofFarm.size(); ++i) {
            const int r = ofFarm.at(i);
            result.append({Line::Plot, r, {}, rows.at(r).areaHa});
            farmSum += rows.at(r).areaHa;
            const bool cropEnds = i + 1 == ofFarm.size() ||
                                  crop(ofFarm.at(i + 1)).compare(crop(r), Qt::CaseInsensitive) != 0;
            if (!cropEnds)
                continue;
            // The crop as its first row spells it.
            double cropSum = 0;
            qsizetype first = i;
            for (; first >= 0 && crop(ofFarm.at(first)).compare(crop(r), Qt::CaseInsensitive) == 0;
                 --first)
                cropSum += rows.at(ofFarm.at(first)).areaHa;
            result.append({Line::CropSum, -1, crop(ofFarm.at(first + 1)), cropSum});
        }
        if (farms.size() > 1)
            result.append({Line::FarmSum, -1, farm, farmSum});
    }
    return result;
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
