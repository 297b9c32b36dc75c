// Times the farm and field window's work with the functions the window runs:
// - sync_ms: the field folder synchronisation with every farm selected (farm
//   rows from the farm folders, the farm grid, anzeigen reset and marked, the
//   field grid and the selection of all its rows);
// - rebuild_ms: the map rebuild of all those plots as the window runs it
//   (release the data source, empty the staging folder, find every plot in
//   its farm folder, open them with one view per table in the plot's colour,
//   ZoomAll);
// - redraw_full_ms: one redraw of the whole extent at 1920 x 1080, antialiased;
// - redraw_farm_ms: one redraw zoomed to a single farm;
// - first_picture_ms: for a folder of 20 farms, from opening the program
//   folder to the first drawn picture of all its plots, with nothing cached;
// - gps_import_ms: the import of a GPS source folder of 1,000 measurements as
//   the handheld delivers them (working copies made, rows checked, gpsdaten
//   written);
// - gps_display_ms: staging and showing 100 chosen measurements in blue;
// - print_sheet_ms: one map sheet of a 50-plot farm with its plot list
//   printed to a PDF file by the window's print run, A4, filling the width.
// Prints "name: value ms", the median of several runs; it asserts nothing.
//
// Without arguments it times generated program folders of 200 (20) farms
// with 50 plots of 50 vertices each. With --folder DIR it times that program
// folder for every figure; the synchronisation then runs on a copy of its
// project database, so only the staging folder "temp" of DIR is written, as
// the program itself does.

#include "AttributeTableWriter.h"
#include "DocumentSheetMap.h"
#include "FarmFolders.h"
#include "FieldFolderSync.h"
#include "FieldLayers.h"
#include "FieldQueries.h"
#include "FileResolver.h"
#include "GpsImport.h"
#include "GpsStaging.h"
#include "GpsTable.h"
#include "LayerDisplay.h"
#include "MapDocument.h"
#include "MapRenderer.h"
#include "PdfFileTarget.h"
#include "PlotListLayout.h"
#include "PolygonShapefileWriter.h"
#include "PrintRun.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapeCache.h"
#include "SortOrders.h"
#include "StagingFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

constexpr int farmCount = 200;
constexpr int firstPictureFarms = 20;
constexpr int plotsPerFarm = 50;
constexpr int verticesPerPlot = 50;
constexpr int runs = 5;
constexpr int gpsMeasurements = 1000;
constexpr int gpsShown = 100;
constexpr int redrawRuns = 11; // redraws are short: more runs steady the median
const QSize screen(1920, 1080);

// A closed clockwise ring of verticesPerPlot corners around the plot's centre.
QList<QPointF> plotRing(int farm, int plot)
{
    const QPointF centre(500000 + 400.0 * plot, 6200000 + 400.0 * farm);
    QList<QPointF> ring;
    for (int i = 0; i <= verticesPerPlot; ++i) {
        const double angle = -2 * M_PI * (i % verticesPerPlot) / verticesPerPlot;
        const double radius = 120 + 30 * std::sin(3 * angle + plot);
        ring.append(centre + QPointF(radius * std::cos(angle), radius * std::sin(angle)));
    }
    return ring;
}

// Plot names are unique over all farms, so that every plot becomes a table.
OperationError writeFolder(const QString& folder, int farms)
{
    QDir().mkpath(folder);
    OperationError error = ProjectDatabase::createEmpty(folder + QStringLiteral("/GISDATEN.MDB"));
    for (int f = 1; !error.isError() && f <= farms; ++f) {
        const QString farm = folder + QStringLiteral("/Betrieb %1").arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(farm);
        for (int p = 1; !error.isError() && p <= plotsPerFarm; ++p) {
            const QString base = QStringLiteral("Schlag%1-%2")
                                     .arg(f, 3, 10, QLatin1Char('0'))
                                     .arg(p, 2, 10, QLatin1Char('0'));
            error = PolygonShapefileWriter::write(farm, base, plotRing(f, p));
            if (!error.isError())
                error = AttributeTableWriter::write(farm, base, {{"ID", p}}, QDate(2026, 5, 1));
        }
    }
    return error;
}

// A GPS source folder of measurements under their delivery names.
OperationError writeGpsFolder(const QString& folder)
{
    QDir().mkpath(folder);
    OperationError error;
    for (int m = 1; !error.isError() && m <= gpsMeasurements; ++m) {
        const QString base = QStringLiteral("M%1").arg(m, 6, 10, QLatin1Char('0'));
        error = PolygonShapefileWriter::write(folder, base + QStringLiteral("_F"), plotRing(0, m));
        if (!error.isError())
            error = AttributeTableWriter::write(folder, base + QStringLiteral("_F"), {{"ID", m}},
                                                QDate(2026, 5, 1));
        QFile des(folder + '/' + base + QStringLiteral("_F.DES"));
        if (!error.isError() && (!des.open(QIODevice::WriteOnly) ||
                                 des.write("Messung\r\nFlaeche [ha]:    4.5\r\nUmfang [m]:      "
                                           "760.2\r\nmax. DOP:        2.1\r\n") < 0))
            error = {ErrorKind::PathFileAccess, des.errorString(), des.fileName()};
    }
    return error;
}

// Copies every file of from into the new folder to.
void copyFiles(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files))
        QFile::copy(from + '/' + name, to + '/' + name);
}

// One synchronisation with every farm selected: the rows of the field grid
// and the error of the first step that failed.
QList<PlotRow> synchronise(ProgramState& state, OperationError* error)
{
    FieldFolderSync sync(state);
    *error = sync.betriebsdatenladen().error;
    FieldQueries queries(*state.database);
    QStringList farms;
    for (const FarmRow& farm : queries.farmGrid(state.betriebsortierung, error))
        farms.append(farm.name);
    if (!error->isError())
        *error = sync.schlagdatenabgleichen(farms).error;
    if (error->isError())
        return {};
    const QList<PlotRow> rows = queries.fieldGrid(SortOrders::plotSingleFarm(), error);
    FieldFolderSync::schlagdatenmarkieren(rows);
    return rows;
}

// The map rebuild of the chosen plots as the window runs it
// (FieldWindow::schlagdatenanzeigen); false when no data source could be opened.
bool rebuild(MapDocument& map, ProgramState& state, const QList<PlotRow>& plots)
{
    state.ansichtnummer = 0;
    state.datennummer = 1;
    LayerDisplay::release(map, state);
    QList<PlotRecord> records;
    records.reserve(plots.size());
    for (const PlotRow& plot : plots)
        records.append(plot.record);
    const FieldLayers::Staged staged = FieldLayers::stage(state.programmpfad, records);
    if (staged.error.isError())
        return false;
    return LayerDisplay::show(map, state, StagingFolder::path(state.programmpfad), staged.files,
                              staged.colours)
        .shown;
}

void redraw(const MapDocument& map, QImage& image)
{
    QPainter painter(&image);
    MapRenderer::paint(painter, QRectF(image.rect()), map.viewport().window(), map.views());
}

// The extent of the first farm's plots: the tables read from its folder.
MapExtent farmExtent(const MapDocument& map, const QString& programFolder,
                     const QList<PlotRow>& plots)
{
    const QString folder =
        FarmFolders::farmFolder(programFolder, plots.first().record.ordner) + '/';
    MapExtent extent;
    for (const MapView* view : map.views())
        for (const auto& table : view->tables())
            if (table->filePath().startsWith(folder))
                extent.include(table->bounds());
    return extent;
}

// Median of count timings of step; false when a run failed.
bool median(const std::function<bool()>& step, double* ms, int count = runs)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!step())
            return false;
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    *ms = times[times.size() / 2];
    return true;
}

void print(QTextStream& out, const char* name, double ms)
{
    out << name << ": " << QString::number(ms, 'f', 1) << " ms\n";
    out.flush();
}

int fail(QTextStream& err, const OperationError& error)
{
    err << "bench_fields: " << error.where << ": " << error.detail << '\n';
    return 1;
}

// A copy of the project database of programFolder in copyFolder, opened.
OperationError openCopy(const QString& programFolder, const QString& copyFolder,
                        ProjectDatabase& database)
{
    QDir().mkpath(copyFolder);
    QFile::remove(copyFolder + '/' + ProjectDatabase::fileName());
    QFile::copy(FileResolver::resolve(programFolder, ProjectDatabase::fileName()),
                copyFolder + '/' + ProjectDatabase::fileName());
    return database.open(copyFolder);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    const bool given = args.size() == 2 && args.at(0) == QLatin1String("--folder");
    if (!args.isEmpty() && !given) {
        err << "usage: bench_fields [--folder DIR]\n";
        return 2;
    }

    QTemporaryDir work;
    ProgramState state;
    state.programmpfad = given ? QDir(args.at(1)).absolutePath() : work.filePath("program");
    if (!given) {
        const OperationError error = writeFolder(state.programmpfad, farmCount);
        if (error.isError())
            return fail(err, error);
    }
    // The runs change anzeigen and add rows: they work on a copy.
    ProjectDatabase database;
    OperationError error = openCopy(state.programmpfad, work.filePath("database"), database);
    if (error.isError())
        return fail(err, error);
    state.database = &database;

    QList<PlotRow> plots = synchronise(state, &error); // adds the rows a fresh folder lacks
    if (error.isError())
        return fail(err, error);
    double ms = 0;
    if (!median([&] { return !(synchronise(state, &error), error.isError()); }, &ms))
        return fail(err, error);
    print(out, "sync_ms", ms);

    MapDocument map;
    map.viewport().resize(QSizeF(screen));
    if (plots.isEmpty() || !median([&] { return rebuild(map, state, plots); }, &ms)) {
        err << "bench_fields: no plot could be drawn\n";
        return 1;
    }
    print(out, "rebuild_ms", ms);

    QImage image(screen, QImage::Format_ARGB32_Premultiplied);
    median([&] { return redraw(map, image), true; }, &ms, redrawRuns);
    print(out, "redraw_full_ms", ms);
    const MapExtent farm = farmExtent(map, state.programmpfad, plots);
    map.SetExtent(farm.minX, farm.minY, farm.maxX, farm.maxY);
    median([&] { return redraw(map, image), true; }, &ms, redrawRuns);
    print(out, "redraw_farm_ms", ms);

    // One farm's sheet, as printed after picking that farm.
    QList<PlotRow> farmPlots;
    for (const PlotRow& plot : plots)
        if (plot.record.ordner == plots.first().record.ordner)
            farmPlots.append(plot);
    MapDocument farmMap;
    farmMap.viewport().resize(QSizeF(790, 560));
    if (!rebuild(farmMap, state, farmPlots)) {
        err << "bench_fields: the farm could not be drawn\n";
        return 1;
    }
    DocumentSheetMap sheetMap(farmMap);
    SheetSource sheet;
    sheet.map = &sheetMap;
    sheet.scaleBoxText = QString::number(qRound64(farmMap.Scale()));
    sheet.kartenanzeige = MapContent::Plots;
    for (const PlotRow& plot : farmPlots) {
        const PlotRecord& p = plot.record;
        sheet.plots.append({p.ordner, PlotListLayout::plotLabel(p.name, p.nummer, p.teil), p.farbe,
                            p.flaeche, p.erntejahr, p.kultur, p.anmerkung});
    }
    const QString pdf = work.filePath("sheet.pdf");
    const bool printed = median(
        [&] {
            PdfFileTarget target(pdf,
                                 PdfFileTarget::pageLayout(QPageSize::A4, QPageLayout::Portrait));
            return PrintRun::printSheet(target, sheet, {false, true, false}, PrintTexts()).ok();
        },
        &ms);
    if (!printed) {
        err << "bench_fields: the sheet could not be printed\n";
        return 1;
    }
    print(out, "print_sheet_ms", ms);

    // From opening the program folder to the first picture, in a fresh map
    // with no shape cached, as at the program's start.
    ProgramState first;
    first.programmpfad = given ? state.programmpfad : work.filePath("first");
    if (!given) {
        error = writeFolder(first.programmpfad, firstPictureFarms);
        ProjectDatabase prepared;
        if (!error.isError())
            error = prepared.open(first.programmpfad);
        first.database = &prepared;
        if (!error.isError())
            synchronise(first, &error); // the rows exist before the program starts
        if (error.isError())
            return fail(err, error);
    }
    const bool drawn = median(
        [&] {
            ShapeCache::shared().clear();
            ProjectDatabase opened;
            error = given ? openCopy(first.programmpfad, work.filePath("first-database"), opened)
                          : opened.open(first.programmpfad);
            first.database = &opened;
            const QList<PlotRow> rows = synchronise(first, &error);
            MapDocument fresh;
            fresh.viewport().resize(QSizeF(screen));
            if (error.isError() || !rebuild(fresh, first, rows))
                return false;
            redraw(fresh, image);
            first.database = nullptr;
            return true;
        },
        &ms);
    if (!drawn)
        return error.isError() ? fail(err, error) : 1;
    print(out, "first_picture_ms", ms);

    // GPS: each import starts from the folder as the handheld left it.
    ProgramState gps;
    gps.programmpfad = work.filePath("gps-program");
    ProjectDatabase gpsDatabase;
    error = writeGpsFolder(work.filePath("delivered"));
    if (!error.isError()) {
        QDir().mkpath(gps.programmpfad);
        error = ProjectDatabase::createEmpty(gps.programmpfad + QStringLiteral("/GISDATEN.MDB"));
    }
    if (!error.isError())
        error = gpsDatabase.open(gps.programmpfad);
    if (error.isError())
        return fail(err, error);
    gps.database = &gpsDatabase;
    int run = 0;
    std::vector<double> imports;
    for (; run < 3; ++run) {
        gps.gpspfad = work.filePath(QStringLiteral("source%1").arg(run));
        copyFiles(work.filePath("delivered"), gps.gpspfad);
        QElapsedTimer timer;
        timer.start();
        const GpsImport::Result result = GpsImport::gpsdateneinlesen(gps);
        imports.push_back(timer.nsecsElapsed() / 1e6);
        if (result.error.isError() || result.rows.size() != gpsMeasurements)
            return fail(err, result.error);
    }
    std::sort(imports.begin(), imports.end());
    print(out, "gps_import_ms", imports[imports.size() / 2]);

    QStringList chosen;
    for (const GpsRow& row : GpsTable::rows(gpsDatabase, GpsTable::byName()).mid(0, gpsShown))
        chosen.append(row.record.dateiname);
    MapDocument gpsMap;
    gpsMap.viewport().resize(QSizeF(screen));
    const bool shown = median(
        [&] {
            gps.ansichtnummer = 0;
            gps.datennummer = 1;
            LayerDisplay::release(gpsMap, gps);
            const GpsStaging::Staged staged =
                GpsStaging::stage(gps.programmpfad, gps.gpspfad, chosen);
            return !staged.error.isError() && staged.tables == gpsShown &&
                   LayerDisplay::show(gpsMap, gps, StagingFolder::path(gps.programmpfad),
                                      staged.colours)
                       .shown;
        },
        &ms);
    if (!shown) {
        err << "bench_fields: the measurements could not be drawn\n";
        return 1;
    }
    print(out, "gps_display_ms", ms);
    return 0;
}
