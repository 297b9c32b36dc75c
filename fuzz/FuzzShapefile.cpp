// The shapefile triple as the map reads it: one input split into the main
// file, its index and its attribute table, read by ShapefileReader.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "ShapefileReader.h"

bool fuzzShapefile(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    const QList<QByteArray> parts = splitInput(data, size, 3);
    const QString shp = folder.write(QStringLiteral("plot.SHP"), parts.at(0));
    const QString shx = folder.write(QStringLiteral("plot.SHX"), parts.at(1));
    folder.write(QStringLiteral("plot.DBF"), parts.at(2));
    const ShapefileReader::Result result = ShapefileReader::read(shp, shx);
    return result.table && result.table->vertexCount() > 0;
}
