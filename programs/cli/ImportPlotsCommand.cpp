// import-plots: each polygon of another program's vector file made a plot.
#include "CliCommands.h"
#include "CommandFolder.h"
#include "PlotImport.h"

#include <QDir>
#include <QLocale>

namespace {
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

int importPlots(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    PlotImport::Options options;
    options.file = QDir(line.arguments().value(0)).absolutePath();
    if (line.isSet(QStringLiteral("describe"))) {
        const PlotImport::Description description = PlotImport::describe(options.file);
        if (description.error.isError()) {
            err << "import-plots: " << description.error.where << ": " << description.error.detail
                << '\n';
            return 1;
        }
        writeDescription(description, out);
        return 0;
    }
    if (!line.isSet(QStringLiteral("folder")))
        return line.usageError(err, QStringLiteral("no program folder given"));
    options.layer = line.value(QStringLiteral("layer"));
    options.farm = line.value(QStringLiteral("farm"));
    options.farmFrom = line.value(QStringLiteral("farm-from"));
    options.nameFrom = line.value(QStringLiteral("name-from"));
    options.cropFrom = line.value(QStringLiteral("crop-from"));
    options.yearFrom = line.value(QStringLiteral("year-from"));
    options.dryRun = line.isSet(QStringLiteral("dry-run"));
    if (options.farm.isEmpty() == options.farmFrom.isEmpty())
        return line.usageError(err, QStringLiteral("give either --farm or --farm-from"));

    CommandFolder folder(line, err);
    ProgramFolder::Steps steps;
    steps.catalogue = false;
    PlotImport::Result result;
    if (folder.open(steps) && !folder.recoveryError.isError()) {
        result = PlotImport::run(folder.state(), options);
        if (result.error.isError())
            folder.report(result.error);
    }
    if (folder.databaseError.isError() || folder.recoveryError.isError() ||
        result.error.isError()) {
        err << "nothing was imported\n";
        return 1;
    }
    writeReport(result.report, options.dryRun, out);
    return 0;
}
} // namespace

CliCommand CliCommands::importPlots()
{
    return {QStringLiteral("import-plots"),
            QStringLiteral("make each polygon of a vector file (shapefile, GeoPackage, GML, "
                           "GeoJSON, KML/KMZ, GPX, FlatGeobuf, also in a .zip) a plot of its "
                           "farm; --dry-run only reports; --describe FILE lists layers and "
                           "fields"),
            [](CommandLine& line) {
                line.folder(false)
                    .argument("FILE", QStringLiteral("the vector file"),
                              QStringLiteral("no file given"))
                    .option("layer", "NAME",
                            QStringLiteral("the layer read (default: every layer)"))
                    .option("farm", "NAME", QStringLiteral("the farm of every plot"))
                    .option("farm-from", "FIELD", QStringLiteral("the field naming each farm"))
                    .synopsisGroup({"farm", "farm-from"},
                                   QStringLiteral("(--farm NAME | --farm-from FIELD)"))
                    .option("name-from", "FIELD", QStringLiteral("the field naming each plot"))
                    .option("crop-from", "FIELD", QStringLiteral("the field of the crop"))
                    .option("year-from", "FIELD", QStringLiteral("the field of the harvest year"))
                    .flag("dry-run", QStringLiteral("only report, write nothing"))
                    .flag("describe", QStringLiteral("list the file's layers and fields"))
                    .synopsisGroup({"folder"}, QStringLiteral("--folder DIR"))
                    .synopsisGroup({"describe"}, QString())
                    .alternative(QStringLiteral("import-plots --describe FILE"));
            },
            ::importPlots};
}
