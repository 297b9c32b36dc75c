// Times the map with the number of plots a large farm set reaches: opening a
// folder of 10,000 one-plot shapefiles, building one view per plot, zooming
// to all and rendering into a 1600 x 1000 image; then the same plots as one
// file. Prints the figures and the peak memory; it asserts nothing.
// With a folder as argument it only times opening that folder.

#include "MapDocument.h"
#include "MapRenderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <shapefil.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int plotCount = 10000;
constexpr int gridSide = 100;       // plots per row
constexpr int verticesPerPlot = 40; // a GPS-measured boundary
constexpr double plotSpacing = 300; // metres between plot centres

QString peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return QString::fromLatin1(line.mid(6).simplified());
    return QStringLiteral("?");
}

// An irregular ring around the plot centre, closed, clockwise.
void plotRing(int index, std::vector<double>* xs, std::vector<double>* ys)
{
    const double cx = 500000 + plotSpacing * (index % gridSide);
    const double cy = 6200000 + plotSpacing * (index / gridSide);
    xs->clear();
    ys->clear();
    for (int i = 0; i <= verticesPerPlot; ++i) {
        const double angle = -2 * M_PI * (i % verticesPerPlot) / verticesPerPlot;
        const double radius = 100 + 25 * std::sin(3 * angle + index);
        xs->push_back(cx + radius * std::cos(angle));
        ys->push_back(cy + radius * std::sin(angle));
    }
}

void writeShapefile(const QString& base, int first, int count)
{
    SHPHandle shp = SHPCreate(QFile::encodeName(base + ".shp").constData(), SHPT_POLYGON);
    DBFHandle dbf = DBFCreate(QFile::encodeName(base + ".dbf").constData());
    DBFAddField(dbf, "ID", FTInteger, 8, 0);
    std::vector<double> xs, ys;
    for (int i = 0; i < count; ++i) {
        plotRing(first + i, &xs, &ys);
        SHPObject* object =
            SHPCreateSimpleObject(SHPT_POLYGON, int(xs.size()), xs.data(), ys.data(), nullptr);
        SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
        DBFWriteIntegerAttribute(dbf, i, 0, first + i);
    }
    SHPClose(shp);
    DBFClose(dbf);
    // Staged plots carry upper-case suffixes.
    for (const char* ext : {"shp", "shx", "dbf"})
        QFile::rename(base + '.' + ext, base + '.' + QString(ext).toUpper());
}

class Stopwatch {
public:
    explicit Stopwatch(QTextStream& out) : m_out(out) { m_timer.start(); }
    void restart() { m_timer.restart(); }
    void lap(const char* what)
    {
        m_out << QStringLiteral("  %1 %2 ms\n")
                     .arg(QLatin1String(what), -44)
                     .arg(m_timer.nsecsElapsed() / 1e6, 9, 'f', 1);
        m_out.flush();
        m_timer.restart();
    }

private:
    QTextStream& m_out;
    QElapsedTimer m_timer;
};

void renderTimes(const MapDocument& map, Stopwatch& watch, QTextStream& out)
{
    QImage image(1600, 1000, QImage::Format_ARGB32_Premultiplied);
    for (bool antialiasing : {true, false}) {
        MapStyle style;
        style.antialiasing = antialiasing;
        watch.restart();
        QPainter painter(&image);
        MapRenderer::paint(painter, QRectF(image.rect()), map.viewport().window(), map.views(),
                           style);
        painter.end();
        watch.lap(antialiasing ? "render all, antialiased" : "render all, aliased");
    }
    // Zoomed onto a few plots: most tables are culled.
    MapViewport close = map.viewport();
    close.setScale(5000);
    QPainter painter(&image);
    MapRenderer::paint(painter, QRectF(image.rect()), close.window(), map.views());
    painter.end();
    watch.lap("render at 1:5000 (culling)");
    out << "  peak memory (VmHWM)                          " << peakMemory() << "\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc > 1) {
        Stopwatch watch(out);
        MapDocument map;
        MapDataSource* source =
            map.OpenDataSource(QStringLiteral("Data1"), QFile::decodeName(argv[1]));
        watch.lap("OpenDataSource");
        out << "  tables " << (source ? source->tableCount() : 0) << ", left out "
            << map.lastProblems().size() << ", peak memory " << peakMemory() << "\n";
        return source ? 0 : 1;
    }
    QTemporaryDir dir;
    const QString plots = dir.filePath(QStringLiteral("temp"));
    const QString single = dir.filePath(QStringLiteral("single"));
    QDir().mkpath(plots);
    QDir().mkpath(single);

    out << "bench_map: " << plotCount << " plots of " << verticesPerPlot + 1
        << " vertices, image 1600 x 1000\n";
    out << "  peak memory at start                         " << peakMemory() << "\n";
    Stopwatch watch(out);
    for (int i = 0; i < plotCount; ++i)
        writeShapefile(plots + QStringLiteral("/S%1").arg(i, 5, 10, QLatin1Char('0')), i, 1);
    watch.lap("write 10,000 shapefiles (setup)");
    writeShapefile(single + QStringLiteral("/ALL"), 0, plotCount);
    watch.lap("write one shapefile of 10,000 plots (setup)");

    out << "Folder of 10,000 files:\n";
    {
        MapDocument map;
        map.viewport().resize(QSizeF(1600, 1000));
        watch.restart();
        MapDataSource* source = map.OpenDataSource(QStringLiteral("Data1"), plots);
        watch.lap("OpenDataSource");
        if (!source || source->tableCount() != plotCount) {
            out << "  unexpected table count\n";
            return 1;
        }
        for (int k = source->tableCount() - 1; k >= 0; --k)
            map.AddView(QStringLiteral("VIEW %1").arg(plotCount - k), source->table(k).get())
                ->setColour(0x00A000 + k % 200);
        watch.lap("AddView x 10,000");
        map.ZoomAll();
        watch.lap("ZoomAll");
        renderTimes(map, watch, out);
        map.CloseDataSource(QStringLiteral("Data1"));
        watch.lap("CloseDataSource");
    }
    out << "One file of 10,000 plots:\n";
    {
        MapDocument map;
        map.viewport().resize(QSizeF(1600, 1000));
        watch.restart();
        MapDataSource* source = map.OpenDataSource(QStringLiteral("Data1"), single);
        watch.lap("OpenDataSource");
        if (!source || source->tableCount() != 1)
            return 1;
        map.AddView(QStringLiteral("VIEW 1"), source->table(0).get())->setColour(0x00A000);
        map.ZoomAll();
        watch.lap("AddView + ZoomAll");
        renderTimes(map, watch, out);
    }
    return 0;
}
