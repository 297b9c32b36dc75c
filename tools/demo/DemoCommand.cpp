#include "DemoCommand.h"

#include "DemoFolderBuilder.h"

#include <optional>

namespace {
struct DemoArguments {
    QString folder;
    quint64 seed = DemoPlanner::defaultSeed;
};

// Returns nothing and explains why on err when args do not fit the usage.
std::optional<DemoArguments> parse(const QStringList& args, QTextStream& err)
{
    DemoArguments parsed;
    bool haveFolder = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--seed")) {
            bool ok = false;
            if (i + 1 < args.size())
                parsed.seed = args.at(++i).toULongLong(&ok);
            if (!ok) {
                err << "demo: --seed needs a whole number from 0 to 18446744073709551615\n";
                return std::nullopt;
            }
        } else if (arg.startsWith(QLatin1String("--")) || haveFolder) {
            err << "demo: unexpected argument: " << arg << '\n';
            return std::nullopt;
        } else {
            parsed.folder = arg;
            haveFolder = true;
        }
    }
    if (!haveFolder || parsed.folder.isEmpty()) {
        err << "demo: no folder given\n";
        return std::nullopt;
    }
    return parsed;
}
} // namespace

int runDemoCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const std::optional<DemoArguments> parsed = parse(args, err);
    if (!parsed) {
        err << "usage: sorvan-gis demo DIR [--seed N]\n";
        err.flush();
        return 2;
    }

    const DemoBuildResult result = DemoFolderBuilder(parsed->seed).build(parsed->folder);
    if (result.error.isError()) {
        err << "demo: " << result.error.where << ": " << result.error.detail << '\n';
        err.flush();
        return 1;
    }
    out << "Demo program folder: " << result.folder << '\n'
        << "Seed: " << parsed->seed << '\n'
        << "Farms: " << result.farms << '\n'
        << "Plots: " << result.plots << '\n'
        << "GPS measurements in shapes: " << result.measurements << '\n';
    out.flush();
    return 0;
}
