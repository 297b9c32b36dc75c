// The shapefile dump listing: one input split into the main file and its
// index.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "ShapeDump.h"

bool fuzzShapeDump(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    const QList<QByteArray> parts = splitInput(data, size, 2);
    const QString shp = folder.write(QStringLiteral("dump.shp"), parts.at(0));
    folder.write(QStringLiteral("dump.shx"), parts.at(1));
    const ShapeDump::Result result = ShapeDump::dumpShapefile(shp);
    const QString problem = ShapeDump::problemLine(result);
    return result.ok && problem.isEmpty();
}
