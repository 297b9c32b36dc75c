// export: the plots of farms into another program's vector file.
#include "CliCommands.h"
#include "CommandFolder.h"
#include "PlotExport.h"

#include <QDir>

namespace {
int exportPlots(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    PlotExport::Options options;
    options.out = line.value(QStringLiteral("out"));
    options.farms = line.values(QStringLiteral("farm"));
    options.format = line.value(QStringLiteral("format"));
    options.force = line.isSet(QStringLiteral("force"));
    const QString outFile = options.out;
    CommandFolder folder(line, err);
    ProgramFolder::Steps steps;
    steps.catalogue = false;
    PlotExport::Result result;
    if (folder.open(steps)) {
        result = PlotExport::run(folder.database(), folder.path(), options);
        if (result.error.isError())
            folder.report(result.error);
    }
    if (folder.databaseError.isError() || result.error.isError()) {
        err << "nothing was written\n";
        return 1;
    }
    const bool system = result.system != QLatin1String("none");
    out << "wrote " << result.plots << " plots of " << result.farms << " farms as " << result.format
        << (system ? " in " + result.system : QStringLiteral(" without coordinate system"))
        << " to " << QDir::toNativeSeparators(QDir(outFile).absolutePath()) << '\n';
    for (const QString& skipped : std::as_const(result.skipped))
        out << "skipped\t" << skipped << '\n';
    out.flush();
    return 0;
}
} // namespace

CliCommand CliCommands::exportPlots()
{
    return {QStringLiteral("export"),
            QStringLiteral("write the plots of the named farms (all when none is named) with "
                           "their rows into one vector file"),
            [](CommandLine& line) {
                line.folder()
                    .out("FILE", QStringLiteral("the vector file written"))
                    .farms(QStringLiteral("a farm whose plots are written"))
                    .option("format", "GPKG|ESRI Shapefile|GeoJSON|KML",
                            QStringLiteral("the file's format (default: from its ending)"))
                    .flag("force", QStringLiteral("replace an existing file"));
            },
            ::exportPlots};
}
