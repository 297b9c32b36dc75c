#include "PlotMeasurement.h"

#include "FarmFolders.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "ShapeCache.h"
#include "ShapeMeasures.h"
#include "ShapefileReader.h"

#include <QFile>
#include <QFileInfo>

namespace PlotMeasurement {

namespace {
// A .prj is a short line of text; anything longer is no projection file.
constexpr qint64 prjLimitBytes = 64 * 1024;

QString projectionText(const QString& shpPath)
{
    const QFileInfo shp(shpPath);
    const QString prj = FileResolver::resolve(shp.path(), shp.completeBaseName() + ".prj");
    if (FileGuard::entryAt(prj) != FileGuard::Entry::File)
        return {};
    QFile file(prj);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.read(prjLimitBytes));
}
} // namespace

Result measureFile(const QString& shpPath)
{
    Result result;
    if (FileGuard::entryAt(shpPath) != FileGuard::Entry::File)
        return result;
    // Read through the shape cache: the map, which draws the plot next,
    // then takes the table from there instead of reading the file again.
    const QFileInfo info(shpPath);
    const QString shx =
        FileResolver::resolve(info.path(), info.completeBaseName() + QStringLiteral(".shx"));
    const ShapefileReader::Result read = QFileInfo::exists(shx)
                                             ? ShapeCache::shared().read(shpPath, shx)
                                             : ShapefileReader::read(shpPath, QString());
    if (!read.table) {
        result.outcome = Outcome::Refused;
        result.error = read.error;
        return result;
    }
    if (ShapeMeasures::inDegrees(*read.table, projectionText(shpPath))) {
        result.outcome = Outcome::InDegrees;
        return result;
    }
    const ShapeMeasures::Measures measures = ShapeMeasures::of(*read.table);
    result.outcome = Outcome::Measured;
    result.flaecheHa = measures.areaSquareMetres / 10000.0;
    result.umfangM = measures.perimeterMetres;
    return result;
}

Result measure(const QString& programFolder, const PlotKey& key)
{
    const QString folder = FarmFolders::farmFolder(programFolder, key.ordner);
    if (folder.isEmpty())
        return {};
    return measureFile(FarmFolders::plotFile(folder, key.dateiname, QStringLiteral(".SHP")));
}

} // namespace PlotMeasurement
