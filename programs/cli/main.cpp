// sorvan-gis: command-line tools over the viewer's logic.
//   sorvan-gis demo DIR [--seed N]   create a demo program folder
//   sorvan-gis shpdump FILE.shp      list the header, first polygon and index
//   sorvan-gis farms --folder DIR    synchronise and list the farms
//   sorvan-gis plots --folder DIR [--farm NAME]...   synchronise and list plots
#include "DemoCommand.h"
#include "FieldCommands.h"
#include "ShapeDumpCommand.h"

#include <QCoreApplication>
#include <QTextStream>
#include <functional>
#include <map>

namespace {
using Command = std::function<int(const QStringList&, QTextStream&, QTextStream&)>;

int usage(QTextStream& err)
{
    err << "usage: sorvan-gis COMMAND ARGUMENTS\n"
           "  demo DIR [--seed N]   create a demo program folder in DIR\n"
           "  shpdump FILE.shp      list a shapefile's header, first polygon and index\n"
           "  farms --folder DIR    synchronise the farm folders, then list each farm:\n"
           "                        name, plots found in its folder, their area in ha\n"
           "  plots --folder DIR [--farm NAME]...\n"
           "                        synchronise and list the plots of the named farms\n"
           "                        (all farms when none is named), a header line first\n";
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const std::map<QString, Command> commands = {
        {QStringLiteral("demo"), runDemoCommand},
        {QStringLiteral("farms"), runFarmsCommand},
        {QStringLiteral("plots"), runPlotsCommand},
        {QStringLiteral("shpdump"), runShapeDumpCommand},
    };
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return usage(err);
    const auto command = commands.find(args.first());
    if (command == commands.end())
        return usage(err);
    const int code = command->second(args.mid(1), out, err);
    out.flush();
    err.flush();
    return code;
}
