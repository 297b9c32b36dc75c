// Times the field folder synchronisation as the farm and field window runs it
// with every farm selected: farm rows from the farm folders, the farm grid,
// anzeigen reset and marked (rows added where missing), the field grid and
// the selection of all its rows. Prints "name: value ms", the median of
// several runs; it asserts nothing.
//
// Without arguments it times a generated program folder of 200 farms with 50
// plots of 50 vertices each. With --folder DIR it times that program folder;
// the synchronisation then runs on a copy of its project database, so the
// folder itself is only read.

#include "AttributeTableWriter.h"
#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "FileResolver.h"
#include "PolygonShapefileWriter.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "SortOrders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int farmCount = 200;
constexpr int plotsPerFarm = 50;
constexpr int verticesPerPlot = 50;
constexpr int runs = 5;

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

OperationError writeFolder(const QString& folder)
{
    OperationError error = ProjectDatabase::createEmpty(folder + QStringLiteral("/GISDATEN.MDB"));
    for (int f = 1; !error.isError() && f <= farmCount; ++f) {
        const QString farm = folder + QStringLiteral("/Betrieb %1").arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(farm);
        for (int p = 1; !error.isError() && p <= plotsPerFarm; ++p) {
            const QString base = QStringLiteral("Schlag%1").arg(p, 2, 10, QLatin1Char('0'));
            error = PolygonShapefileWriter::write(farm, base, plotRing(f, p));
            if (!error.isError())
                error = AttributeTableWriter::write(farm, base, {{"ID", p}}, QDate(2026, 5, 1));
        }
    }
    return error;
}

// One synchronisation with every farm selected; the error of the first step
// that failed.
OperationError synchronise(ProgramState& state)
{
    FieldFolderSync sync(state);
    OperationError error = sync.betriebsdatenladen().error;
    FieldQueries queries(*state.database);
    QStringList farms;
    for (const FarmRow& farm : queries.farmGrid(state.betriebsortierung, &error))
        farms.append(farm.name);
    if (!error.isError())
        error = sync.schlagdatenabgleichen(farms).error;
    if (!error.isError())
        FieldFolderSync::schlagdatenmarkieren(
            queries.fieldGrid(SortOrders::plotSingleFarm(), &error));
    return error;
}

int fail(QTextStream& err, const OperationError& error)
{
    err << "bench_fields: " << error.where << ": " << error.detail << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
        QDir().mkpath(state.programmpfad);
        const OperationError error = writeFolder(state.programmpfad);
        if (error.isError())
            return fail(err, error);
    }
    // The runs change anzeigen and add rows: they work on a copy.
    const QString copyFolder = work.filePath("database");
    QDir().mkpath(copyFolder);
    QFile::copy(FileResolver::resolve(state.programmpfad, ProjectDatabase::fileName()),
                copyFolder + '/' + ProjectDatabase::fileName());
    ProjectDatabase database;
    OperationError error = database.open(copyFolder);
    if (error.isError())
        return fail(err, error);
    state.database = &database;

    error = synchronise(state); // adds the rows a fresh folder lacks
    std::vector<double> times;
    for (int i = 0; !error.isError() && i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        error = synchronise(state);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    if (error.isError())
        return fail(err, error);
    std::sort(times.begin(), times.end());
    out << "sync_ms: " << QString::number(times[times.size() / 2], 'f', 1) << " ms\n";
    return 0;
}
