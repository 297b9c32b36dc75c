#include "DemoPlanner.h"

#include "DemoRandom.h"
#include "DemoVocabulary.h"
#include "FieldShapeGenerator.h"
#include "PolygonMeasures.h"

#include <QRectF>
#include <QSet>

#include <cmath>

namespace DemoPlanner {

namespace {
constexpr double cellMetres = 1000;
constexpr int blockColumns = 5, blockRows = 4;
// Farm blocks sit in slots of 6.5 x 5 km: 3 columns by 4 rows.
constexpr double slotWidth = 6500, slotHeight = 5000;
constexpr int slotColumns = 3, slotRows = 4;
constexpr double frameLeft = 500000, frameBottom = 5300000;

double rounded(double value, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    return std::round(value * factor) / factor;
}

class Planner {
public:
    explicit Planner(quint64 seed) : m_random(seed) {}
    DemoPlan run();

private:
    DemoFarm planFarm(const QString& name, const QPointF& blockOrigin);
    DemoMeasurement planMeasurement(int index, const QDate& day, const QRectF& cell);
    QString uniqueFileName(const QString& wanted);
    QString nextFieldName();

    DemoRandom m_random;
    QStringList m_fieldNames;
    qsizetype m_nextFieldName = 0;
    QSet<QString> m_fileNamesLower;
    QList<QRectF> m_freeCells;
};

DemoPlan Planner::run()
{
    DemoPlan plan;
    plan.plotFileTime = QDateTime(QDate(2026, 3, 2), QTime(9, 0));

    QStringList names = DemoVocabulary::farmNames();
    m_random.shuffle(names);
    m_fieldNames = DemoVocabulary::fieldNames();
    m_random.shuffle(m_fieldNames);
    QList<int> farmSlots;
    for (int i = 0; i < slotColumns * slotRows; ++i)
        farmSlots.append(i);
    m_random.shuffle(farmSlots);

    const int farmCount = m_random.integer(3, 5);
    for (int f = 0; f < farmCount; ++f) {
        const int slot = farmSlots.at(f);
        const QPointF origin(frameLeft + (slot % slotColumns) * slotWidth +
                                 m_random.integer(0, int(slotWidth - blockColumns * cellMetres)),
                             frameBottom + (slot / slotColumns) * slotHeight +
                                 m_random.integer(0, int(slotHeight - blockRows * cellMetres)));
        plan.farms.append(planFarm(names.at(f), origin));
    }

    m_random.shuffle(m_freeCells);
    const int measurementCount = m_random.integer(4, 8);
    QDate day = QDate(2026, 5, 4).addDays(m_random.integer(0, 20));
    for (int m = 0; m < measurementCount; ++m) {
        plan.measurements.append(planMeasurement(m, day, m_freeCells.at(m)));
        day = day.addDays(m_random.integer(0, 2));
    }

    // Both naming styles: at least one delivered, at least two under working
    // names, one of which has lost its attribute table.
    QList<int> order;
    for (int m = 0; m < measurementCount; ++m)
        order.append(m);
    m_random.shuffle(order);
    const int delivered = m_random.integer(1, measurementCount - 2);
    for (int i = 0; i < delivered; ++i)
        plan.measurements[order.at(i)].delivered = true;
    plan.measurements[order.last()].hasAttributeTable = false;
    return plan;
}

DemoFarm Planner::planFarm(const QString& name, const QPointF& blockOrigin)
{
    DemoFarm farm;
    farm.name = name;

    QList<int> cells;
    for (int i = 0; i < blockColumns * blockRows; ++i)
        cells.append(i);
    m_random.shuffle(cells);
    auto cellRect = [&](int cell) {
        return QRectF(blockOrigin.x() + (cell % blockColumns) * cellMetres,
                      blockOrigin.y() + (cell / blockColumns) * cellMetres, cellMetres, cellMetres);
    };

    QList<qint64> colours = DemoVocabulary::fillColours();
    m_random.shuffle(colours);

    const int plotCount = m_random.integer(5, 15);
    int number = m_random.integer(1, 40);
    for (int i = 0; i < plotCount; ++i) {
        DemoPlot plot;
        PlotRecord& r = plot.record;
        // A divided plot: two parts under one name and number.
        const bool secondPart = i > 0 && farm.plots.last().record.teil == 1;
        if (secondPart) {
            const PlotRecord& first = farm.plots.last().record;
            r.name = first.name;
            r.nummer = first.nummer;
            r.teil = 2;
            r.erntejahr = first.erntejahr;
        } else {
            r.name = nextFieldName();
            r.nummer = number;
            number += m_random.integer(1, 3);
            r.teil = (i + 1 < plotCount && m_random.chance(0.15)) ? 1 : 0;
            r.erntejahr = m_random.integer(2024, 2026);
        }
        QString fileName = DemoVocabulary::fileNameOf(r.name);
        if (r.teil > 0)
            fileName += '_' + QString::number(r.teil);
        r.dateiname = uniqueFileName(fileName);
        r.ordner = name;
        r.kultur = m_random.pick(DemoVocabulary::crops());
        r.anmerkung = m_random.pick(DemoVocabulary::remarks());
        r.farbe = colours.at(i);
        r.maxDop = m_random.chance(0.6) ? rounded(m_random.real(1.0, 4.0), 1) : 0.0;
        r.anzeigen = 0;

        plot.ring = FieldShapeGenerator::generate(m_random, cellRect(cells.at(i)));
        r.flaeche = rounded(PolygonMeasures::areaSquareMetres(plot.ring) / 10000, 4);
        r.umfang = rounded(PolygonMeasures::perimeter(plot.ring), 2);
        farm.plots.append(plot);
    }
    for (int i = plotCount; i < cells.size(); ++i)
        m_freeCells.append(cellRect(cells.at(i)));
    return farm;
}

DemoMeasurement Planner::planMeasurement(int index, const QDate& day, const QRectF& cell)
{
    DemoMeasurement m;
    m.baseName = QStringLiteral("M%1%2")
                     .arg(day.toString(QStringLiteral("yyMMdd")))
                     .arg(index + 1, 2, 10, QLatin1Char('0'));
    m.measuredAt = QDateTime(day, QTime(8, 0).addSecs(60 * m_random.integer(0, 600)));
    m.title =
        QStringLiteral("Messung %1 %2")
            .arg(day.toString(Qt::ISODate), m_random.pick(DemoVocabulary::measurementPlaces()));
    m.ring = FieldShapeGenerator::generate(m_random, cell);
    m.areaHa = rounded(PolygonMeasures::areaSquareMetres(m.ring) / 10000, 4);
    m.perimeterMetres = rounded(PolygonMeasures::perimeter(m.ring), 2);
    m.maxDop = rounded(m_random.real(1.0, 4.0), 1);
    return m;
}

// Plot names are drawn from one pool for all farms, so that names repeat
// only once the pool is used up (never within one farm).
QString Planner::nextFieldName()
{
    return m_fieldNames.at(m_nextFieldName++ % m_fieldNames.size());
}

// Plot files of different farms never share a name: plots drawn together are
// staged side by side under their file names.
QString Planner::uniqueFileName(const QString& wanted)
{
    QString name = wanted;
    for (int suffix = 2; m_fileNamesLower.contains(name.toLower()); ++suffix)
        name = wanted + QString::number(suffix);
    m_fileNamesLower.insert(name.toLower());
    return name;
}
} // namespace

DemoPlan plan(quint64 seed)
{
    return Planner(seed).run();
}

} // namespace DemoPlanner
