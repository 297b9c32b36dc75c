// sorvan-gis: command-line tools over the viewer's logic.
//   sorvan-gis demo DIR [--seed N]   create a demo program folder
//   sorvan-gis shpdump FILE.shp      list the header, first polygon and index
//   sorvan-gis farms --folder DIR    synchronise and list the farms
//   sorvan-gis plots --folder DIR [--farm NAME]...   synchronise and list plots
//   sorvan-gis gps --folder DIR [--source SRC]       import and list GPS measurements
//   sorvan-gis assign --folder DIR --source SRC --farm NAME MEASUREMENT...
//   sorvan-gis print --folder DIR --out FILE.pdf ...   print map sheets to PDF
//   sorvan-gis render --folder DIR --out FILE.png|.svg ...  draw farms' plots as a picture
//   sorvan-gis import-mdb --folder DIR [FILE]   bring an Access project database over
//   sorvan-gis import-plots --folder DIR FILE ...   plots from another program's file
//   sorvan-gis export --folder DIR --out FILE ...   plots into another program's file
//   sorvan-gis --help | -h           the usage, on standard output
//   sorvan-gis --version             the program's version
#include "DemoCommand.h"
#include "ExportCommand.h"
#include "FieldCommands.h"
#include "GpsCommands.h"
#include "ImportMdbCommand.h"
#include "ImportPlotsCommand.h"
#include "PrintCommand.h"
#include "ProgramFolderSetup.h"
#include "RenderCommand.h"
#include "ShapeDumpCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <functional>
#include <map>
#include <memory>

namespace {
using Command = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;

const char* const usage =
    "usage: sorvan-gis COMMAND ARGUMENTS\n"
    "  demo DIR [--seed N]   create a demo program folder in DIR\n"
    "  shpdump FILE.shp      list a shapefile's header, first polygon and index\n"
    "  farms --folder DIR    synchronise the farm folders, then list each farm:\n"
    "                        name, plots found in its folder, their area in ha\n"
    "  plots --folder DIR [--farm NAME]...\n"
    "                        synchronise and list the plots of the named farms\n"
    "                        (all farms when none is named), a header line first\n"
    "  gps --folder DIR [--source SRC]\n"
    "                        import the GPS source folder SRC (default: as the\n"
    "                        viewer chooses it) and list each measurement: name,\n"
    "                        date, area, perimeter and largest DOP\n"
    "  assign --folder DIR --source SRC --farm NAME MEASUREMENT...\n"
    "                        make the measurements plots of the farm NAME\n"
    "  print --folder DIR --out FILE.pdf [--farm NAME]... [--scale N] [--list]\n"
    "        [--own-page] [--subtotals] [--labels] [--paper A4|A3] [--landscape]\n"
    "                        print the map sheet of each named farm (of every\n"
    "                        farm when none is named) into one PDF file; the map\n"
    "                        fills the width, or is printed at 1:N with --scale;\n"
    "                        --list adds the plot list, --own-page on a page of\n"
    "                        its own, --subtotals with a subtotal per crop;\n"
    "                        --labels writes the plots' names into the map\n"
    "  render --folder DIR --out FILE.png|FILE.svg [--farm NAME]... [--size WxH]\n"
    "        [--labels] [--scale N]\n"
    "                        draw the plots of the named farms (of every farm\n"
    "                        when none is named) together as a PNG picture or an\n"
    "                        SVG drawing of WxH pixels (default 1200x900), zoomed\n"
    "                        to all or at 1:N; --labels with the plots' names\n"
    "  import-mdb --folder DIR [FILE]\n"
    "                        bring the Access project database FILE (default:\n"
    "                        DIR/GISDATEN.MDB) over into a new GISDATEN.MDB of DIR;\n"
    "                        the Access file in DIR is kept as GISDATEN.access.mdb.\n"
    "                        Prints the counts and findings, on standard error\n"
    "                        the columns left out; exits 1 when nothing was imported\n"
    "  import-plots --folder DIR FILE [--layer NAME] (--farm NAME | --farm-from FIELD)\n"
    "        [--name-from FIELD] [--crop-from FIELD] [--year-from FIELD] [--dry-run]\n"
    "                        make each polygon of a vector file (shapefile,\n"
    "                        GeoPackage, GML, GeoJSON, KML/KMZ, GPX, FlatGeobuf,\n"
    "                        also in a .zip) a plot of its farm; --dry-run only\n"
    "                        reports; --describe FILE lists layers and fields\n"
    "  export --folder DIR --out FILE [--farm NAME]... [--format GPKG|ESRI Shapefile|\n"
    "        GeoJSON|KML] [--force]\n"
    "                        write the plots of the named farms (all when none is\n"
    "                        named) with their rows into one vector file\n"
    "  --help, -h            show this help\n"
    "  --version             show the program's version\n";
// The commands that work in a program folder get what it lacks first, as
// the viewer does, and say so on err; a folder that does not exist is left
// to the command to report.
void installMissingFiles(const QString& command, const QStringList& args, QTextStream& err)
{
    static const QStringList inFolder = {"farms", "plots",  "gps",    "assign",
                                         "print", "render", "export", "import-plots"};
    const qsizetype at = args.indexOf(QStringLiteral("--folder"));
    if (!inFolder.contains(command) || at < 0 || at + 1 >= args.size() ||
        args.at(at + 1).isEmpty() || !QFileInfo(args.at(at + 1)).isDir())
        return;
    const QString folder = QDir::cleanPath(QDir(args.at(at + 1)).absolutePath());
    const ProgramFolderSetup::Result setup = ProgramFolderSetup::installMissingFiles(folder);
    if (!setup.installed.isEmpty())
        err << command << ": added to " << QDir::toNativeSeparators(folder) << ": "
            << setup.installed.join(QStringLiteral(", ")) << '\n';
    if (setup.error.isError())
        err << command << ": " << QDir::toNativeSeparators(setup.error.where) << ": "
            << setup.error.detail << '\n';
    err.flush();
}
} // namespace

int main(int argc, char** argv)
{
    // Printing lays out text and needs the fonts of a GUI application; it
    // runs on the offscreen platform when no other is asked for.
    const bool printing =
        argc > 1 && (qstrcmp(argv[1], "print") == 0 || qstrcmp(argv[1], "render") == 0);
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(
        printing ? new QGuiApplication(argc, argv) : new QCoreApplication(argc, argv));
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("sorvan-gis"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SORVAN_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::map<QString, Command> commands = {
        {QStringLiteral("demo"), runDemoCommand},
        {QStringLiteral("assign"), runAssignCommand},
        {QStringLiteral("export"), runExportCommand},
        {QStringLiteral("farms"), runFarmsCommand},
        {QStringLiteral("gps"), runGpsCommand},
        {QStringLiteral("import-mdb"), runImportMdbCommand},
        {QStringLiteral("import-plots"), runImportPlotsCommand},
        {QStringLiteral("plots"), runPlotsCommand},
        {QStringLiteral("print"), runPrintCommand},
        {QStringLiteral("render"), runRenderCommand},
        {QStringLiteral("shpdump"), runShapeDumpCommand},
    };
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << usage;
        return 2;
    }
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        out << usage;
        return 0;
    }
    if (first == QLatin1String("--version")) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << '\n';
        return 0;
    }
    const auto command = commands.find(first);
    if (command == commands.end()) {
        err << "sorvan-gis: unknown command '" << first << "'\n" << usage;
        return 2;
    }
    installMissingFiles(first, args.mid(1), err);
    const int code = command->second(args.mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
