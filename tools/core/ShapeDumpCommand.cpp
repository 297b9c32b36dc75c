#include "ShapeDumpCommand.h"

#include "ShapeDump.h"

QString shapeDumpUsage()
{
    return QStringLiteral("usage: sorvan-gis shpdump FILE.shp");
}

int runShapeDumpCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() == 1 &&
        (args.at(0) == QLatin1String("-h") || args.at(0) == QLatin1String("--help"))) {
        out << shapeDumpUsage() << '\n';
        out.flush();
        return 0;
    }
    if (args.size() != 1 || args.at(0).isEmpty()) {
        err << shapeDumpUsage() << '\n';
        err.flush();
        return 2;
    }
    const ShapeDump::Result result = ShapeDump::dumpShapefile(args.at(0));
    for (const QString& line : result.lines)
        out << line << '\n';
    out.flush();
    if (result.ok)
        return 0;
    err << "shpdump: " << ShapeDump::problemLine(result) << '\n';
    err.flush();
    return 1;
}
