#include "PlotMeasurement.h"

#include "FarmFolders.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "FolderListing.h"
#include "ShapeCache.h"
#include "ShapeMeasures.h"
#include "ShapefileReader.h"

#include <QFile>
#include <QFileInfo>

namespace PlotMeasurement {

namespace {
// A .prj is a short line of text; anything longer is no projection file.
constexpr qint64 prjLimitBytes = 64 * 1024;

QString projectionText(const QString& prj)
{
    if (prj.isEmpty() || FileGuard::entryAt(prj) != FileGuard::Entry::File)
        return {};
    QFile file(prj);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.read(prjLimitBytes));
}

// shxPath and prjPath are the companion files found (empty when there are none).
Result measureFiles(const QString& shpPath, const QString& shxPath, const QString& prjPath)
{
    Result result;
    if (FileGuard::entryAt(shpPath) != FileGuard::Entry::File)
        return result;
    // Read through the shape cache: the map, which draws the plot next,
    // then takes the table from there instead of reading the file again.
    const ShapefileReader::Result read = !shxPath.isEmpty() && QFileInfo::exists(shxPath)
                                             ? ShapeCache::shared().read(shpPath, shxPath)
                                             : ShapefileReader::read(shpPath, QString());
    if (!read.table) {
        result.outcome = Outcome::Refused;
        result.error = read.error;
        return result;
    }
    if (ShapeMeasures::inDegrees(*read.table, projectionText(prjPath))) {
        result.outcome = Outcome::InDegrees;
        return result;
    }
    const ShapeMeasures::Measures measures = ShapeMeasures::of(*read.table);
    result.outcome = Outcome::Measured;
    result.flaecheHa = measures.areaSquareMetres / 10000.0;
    result.umfangM = measures.perimeterMetres;
    return result;
}
} // namespace

Result measureFile(const QString& shpPath)
{
    const QFileInfo info(shpPath);
    const QString base = info.completeBaseName();
    return measureFiles(shpPath, FileResolver::resolve(info.path(), base + QStringLiteral(".shx")),
                        FileResolver::resolve(info.path(), base + QStringLiteral(".prj")));
}

Result measureListed(const FolderListing& farm, const QString& dateiname)
{
    QString shp = farm.find(dateiname + QStringLiteral(".SHP"));
    if (shp.isEmpty() && dateiname != dateiname.trimmed())
        shp = farm.find(dateiname.trimmed() + QStringLiteral(".SHP"));
    if (shp.isEmpty())
        return {};
    const QString base = QFileInfo(shp).completeBaseName();
    return measureFiles(shp, farm.find(base + QStringLiteral(".shx")),
                        farm.find(base + QStringLiteral(".prj")));
}

Result measure(const QString& programFolder, const PlotKey& key)
{
    const QString folder = FarmFolders::farmFolder(programFolder, key.ordner);
    if (folder.isEmpty())
        return {};
    return measureFile(FarmFolders::plotFile(folder, key.dateiname, QStringLiteral(".SHP")));
}

} // namespace PlotMeasurement
