#include "ImportPlotsCommand.h"

#include "PendingChangeRecovery.h"
#include "PlotImport.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"

#include <QDir>
#include <QLocale>

#include <map>

namespace {
const char* const usage =
    "usage: sorvan-gis import-plots --folder DIR FILE [--layer NAME]\n"
    "         (--farm NAME | --farm-from FIELD) [--name-from FIELD] [--crop-from FIELD]\n"
    "         [--year-from FIELD] [--dry-run]\n"
    "       sorvan-gis import-plots --describe FILE\n";

int usageError(QTextStream& err, const QString& why)
{
    err << "import-plots: " << why << '\n' << usage;
    err.flush();
    return 2;
}

QString hectares(double value)
{
    return QLocale::c().toString(value, 'f', 2);
}

void writeDescription(const PlotImport::Description& description, QTextStream& out)
{
    for (const PlotImport::Layer& layer : description.layers) {
        out << "layer\t" << layer.name << '\t' << layer.features << '\t' << layer.geometry << '\n';
        for (const QString& field : layer.fields)
            out << "field\t" << layer.name << '\t' << field << '\n';
    }
}

void writeReport(const PlotImport::Report& report, bool dryRun, QTextStream& out)
{
    if (dryRun)
        out << "dry run: nothing written\n";
    out << "coordinate system: " << report.targetSystem
        << (report.reprojected ? " (reprojected from " + report.sourceSystem + ")" : QString())
        << '\n';
    int created = 0;
    for (const PlotImport::FarmSummary& farm : report.farms) {
        out << "farm\t" << farm.farm << '\t' << (farm.created ? "new" : "existing") << '\t'
            << farm.plots << " plots\t" << hectares(farm.areaHa) << " ha\n";
        created += farm.created ? 1 : 0;
    }
    out << "total\t" << report.plotCount() << " plots in " << report.farms.size() << " farms ("
        << created << " new)\t" << hectares(report.totalHa()) << " ha\n";
    for (const PlotImport::Note& note : report.repaired)
        out << "repaired\t" << note.feature << '\t' << note.reason << '\n';
    for (const PlotImport::Note& note : report.skipped)
        out << "skipped\t" << note.feature << '\t' << note.reason << '\n';
    if (report.points > 0)
        out << "skipped\t" << report.points << " point features\n";
    if (report.lines > 0)
        out << "skipped\t" << report.lines << " line features\n";
}
} // namespace

int runImportPlotsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    PlotImport::Options options;
    QString folder;
    bool describe = false;
    const std::map<QString, QString*> valued = {
        {"--folder", &folder},           {"--layer", &options.layer},
        {"--farm", &options.farm},       {"--farm-from", &options.farmFrom},
        {"--name-from", &options.nameFrom}, {"--crop-from", &options.cropFrom},
        {"--year-from", &options.yearFrom}};
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (arg == QLatin1String("--describe")) {
            describe = true;
        } else if (const auto option = valued.find(arg); option != valued.end()) {
            if (i + 1 >= args.size() || args.at(i + 1).trimmed().isEmpty())
                return usageError(err, "no value for " + arg);
            *option->second = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usageError(err, "unknown option " + arg);
        } else {
            files << arg;
        }
    }
    if (files.size() != 1)
        return usageError(err, files.isEmpty() ? "no file given" : "more than one file given");
    options.file = QDir(files.first()).absolutePath();
    if (describe) {
        const PlotImport::Description description = PlotImport::describe(options.file);
        if (description.error.isError()) {
            err << "import-plots: " << description.error.where << ": " << description.error.detail
                << '\n';
            return 1;
        }
        writeDescription(description, out);
        return 0;
    }
    if (folder.isEmpty())
        return usageError(err, "no program folder given");
    if (options.farm.isEmpty() == options.farmFrom.isEmpty())
        return usageError(err, "give either --farm or --farm-from");

    ProgramState state;
    state.programmpfad = QDir::cleanPath(QDir(folder).absolutePath());
    ProjectDatabase database;
    OperationError error = database.open(state.programmpfad);
    PlotImport::Result result;
    if (!error.isError()) {
        state.database = &database;
        // A change cut short goes first, as at the viewer's start.
        error = PendingChangeRecovery::finish(state);
    }
    if (!error.isError()) {
        result = PlotImport::run(state, options);
        error = result.error;
    }
    if (error.isError()) {
        err << "import-plots: " << QDir::toNativeSeparators(error.where) << ": " << error.detail
            << "\nnothing was imported\n";
        err.flush();
        return 1;
    }
    writeReport(result.report, options.dryRun, out);
    out.flush();
    return 0;
}
