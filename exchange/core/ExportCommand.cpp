#include "ExportCommand.h"

#include "PlotExport.h"
#include "ProjectDatabase.h"

#include <QDir>

namespace {
int usageError(QTextStream& err, const QString& why)
{
    err << "export: " << why
        << "\nusage: sorvan-gis export --folder DIR --out FILE [--farm NAME]...\n"
           "         [--format GPKG|ESRI Shapefile|GeoJSON|KML] [--force]\n";
    err.flush();
    return 2;
}
} // namespace

int runExportCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString folder;
    PlotExport::Options options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--force")) {
            options.force = true;
            continue;
        }
        const bool valued = arg == QLatin1String("--folder") || arg == QLatin1String("--out") ||
                            arg == QLatin1String("--farm") || arg == QLatin1String("--format");
        if (!valued)
            return usageError(err, "unexpected argument: " + arg);
        if (i + 1 >= args.size() || args.at(i + 1).trimmed().isEmpty())
            return usageError(err, "no value for " + arg);
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--folder"))
            folder = value;
        else if (arg == QLatin1String("--out"))
            options.out = value;
        else if (arg == QLatin1String("--farm"))
            options.farms << value;
        else
            options.format = value;
    }
    if (folder.isEmpty())
        return usageError(err, "no program folder given");
    if (options.out.isEmpty())
        return usageError(err, "no output file given");
    const QString programFolder = QDir::cleanPath(QDir(folder).absolutePath());
    ProjectDatabase database;
    OperationError error = database.open(programFolder);
    PlotExport::Result result;
    if (!error.isError()) {
        result = PlotExport::run(database, programFolder, options);
        error = result.error;
    }
    if (error.isError()) {
        err << "export: " << QDir::toNativeSeparators(error.where) << ": " << error.detail
            << "\nnothing was written\n";
        err.flush();
        return 1;
    }
    const bool system = result.system != QLatin1String("none");
    out << "wrote " << result.plots << " plots of " << result.farms << " farms as "
        << result.format << (system ? " in " + result.system : QStringLiteral(" without coordinate system"))
        << " to "
        << QDir::toNativeSeparators(QDir(options.out).absolutePath()) << '\n';
    for (const QString& skipped : std::as_const(result.skipped))
        out << "skipped\t" << skipped << '\n';
    out.flush();
    return 0;
}
