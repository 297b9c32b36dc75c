// shpdump: a shapefile's header, first polygon and first index entry.
#include "CliCommands.h"
#include "ShapeDump.h"

namespace {
int shapeDump(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const ShapeDump::Result result = ShapeDump::dumpShapefile(line.arguments().first());
    for (const QString& text : result.lines)
        out << text << '\n';
    out.flush();
    if (result.ok)
        return 0;
    err << "shpdump: " << ShapeDump::problemLine(result) << '\n';
    return 1;
}
} // namespace

CliCommand CliCommands::shapeDump()
{
    return {QStringLiteral("shpdump"),
            QStringLiteral("list a shapefile's header, first polygon and index"),
            [](CommandLine& line) {
                line.argument("FILE.shp", QStringLiteral("the shapefile"),
                              QStringLiteral("no file given"));
            },
            ::shapeDump};
}
