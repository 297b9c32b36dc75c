// Times identify on 10,000 plots: building the hit-test index over the
// views the map holds, and looking up the plot under 100,000 pointer
// positions (the work of one tooltip each). Prints the figures; asserts nothing.

#include "MapDocument.h"
#include "PlotHitTest.h"

#include <QElapsedTimer>
#include <QFile>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <shapefil.h>

#include <cmath>
#include <vector>

namespace {
constexpr int plotCount = 10000;
constexpr int gridSide = 100;
constexpr int verticesPerPlot = 40;
constexpr double plotSpacing = 300; // metres between plot centres
constexpr int lookups = 100000;

// One shapefile per plot: an irregular ring around its centre.
void writePlot(const QString& folder, int index)
{
    const QString base = folder + QStringLiteral("/p%1").arg(index, 5, 10, QLatin1Char('0'));
    SHPHandle shp = SHPCreate(QFile::encodeName(base + ".shp").constData(), SHPT_POLYGON);
    std::vector<double> xs, ys;
    const double cx = 500000 + plotSpacing * (index % gridSide);
    const double cy = 6200000 + plotSpacing * (index / gridSide);
    for (int i = 0; i <= verticesPerPlot; ++i) {
        const double angle = -2 * M_PI * (i % verticesPerPlot) / verticesPerPlot;
        const double radius = 100 + 25 * std::sin(3 * angle + index);
        xs.push_back(cx + radius * std::cos(angle));
        ys.push_back(cy + radius * std::sin(angle));
    }
    SHPObject* object =
        SHPCreateSimpleObject(SHPT_POLYGON, int(xs.size()), xs.data(), ys.data(), nullptr);
    SHPWriteObject(shp, -1, object);
    SHPDestroyObject(object);
    SHPClose(shp);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    for (int i = 0; i < plotCount; ++i)
        writePlot(dir.path(), i);
    MapDocument map;
    MapDataSource* source = map.OpenDataSource(QStringLiteral("Data1"), dir.path());
    if (!source)
        return 1;
    for (int k = source->tableCount() - 1; k >= 0; --k)
        map.AddView(QStringLiteral("VIEW"), source->table(k).get());
    out << "identify on " << plotCount << " plots of " << verticesPerPlot << " vertices\n";

    QElapsedTimer timer;
    timer.start();
    PlotHitTest hits;
    hits.build(map.views());
    out << QStringLiteral("  build index               %1 ms\n").arg(timer.nsecsElapsed() / 1e6, 8, 'f', 1);

    const MapExtent extent = map.dataExtent();
    QRandomGenerator random(42);
    int found = 0;
    timer.restart();
    for (int i = 0; i < lookups; ++i) {
        const double x = extent.minX + random.generateDouble() * extent.width();
        const double y = extent.minY + random.generateDouble() * extent.height();
        found += hits.hitAt(x, y).found() ? 1 : 0;
    }
    const double totalMs = timer.nsecsElapsed() / 1e6;
    out << QStringLiteral("  one look-up (mean)        %1 us\n").arg(totalMs * 1000 / lookups, 8, 'f', 2);
    out << QStringLiteral("  points on a plot          %1 of %2\n").arg(found).arg(lookups);
    return 0;
}
