// demo: a demo program folder made from a seed.
#include "CliCommands.h"
#include "DemoFolderBuilder.h"

namespace {
int demo(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    quint64 seed = DemoPlanner::defaultSeed;
    if (line.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        seed = line.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok)
            return line.usageError(
                err, QStringLiteral("--seed needs a whole number from 0 to 18446744073709551615"));
    }
    const DemoBuildResult result = DemoFolderBuilder(seed).build(line.arguments().first());
    if (result.error.isError()) {
        err << "demo: " << result.error.where << ": " << result.error.detail << '\n';
        return 1;
    }
    out << "Demo program folder: " << result.folder << '\n'
        << "Seed: " << seed << '\n'
        << "Farms: " << result.farms << '\n'
        << "Plots: " << result.plots << '\n'
        << "GPS measurements in shapes: " << result.measurements << '\n';
    return 0;
}
} // namespace

CliCommand CliCommands::demo()
{
    return {QStringLiteral("demo"),
            QStringLiteral("create a demo program folder in DIR; the same seed gives the same "
                           "folder"),
            [](CommandLine& line) {
                line.argument("DIR", QStringLiteral("the folder created"),
                              QStringLiteral("no folder given"))
                    .option("seed", "N", QStringLiteral("the seed of the random choices"));
            },
            ::demo};
}
