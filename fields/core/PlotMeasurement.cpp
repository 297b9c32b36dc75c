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

// Whether the plot's table can be read through the shape cache: it has an
// index file to tell its identity by.
bool cacheable(const QString& shxPath)
{
    return !shxPath.isEmpty() && QFileInfo::exists(shxPath);
}

// The table read ahead, else read through the shape cache: the map, which
// draws the plot next, then takes it from there instead of reading the file
// again.
ShapefileReader::Result readTable(const QString& shpPath, const QString& shxPath,
                                  const ReadAhead* tables)
{
    if (tables) {
        const auto ahead = tables->constFind(shpPath);
        if (ahead != tables->cend())
            return *ahead;
    }
    return cacheable(shxPath) ? ShapeCache::shared().read(shpPath, shxPath)
                              : ShapefileReader::read(shpPath, QString());
}

// shxPath and prjPath are the companion files found (empty when there are none).
Result measureFiles(const QString& shpPath, const QString& shxPath, const QString& prjPath,
                    const ReadAhead* tables = nullptr)
{
    Result result;
    if (FileGuard::entryAt(shpPath) != FileGuard::Entry::File)
        return result;
    const ShapefileReader::Result read = readTable(shpPath, shxPath, tables);
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

PlotFiles filesListed(const FolderListing& farm, const QString& dateiname)
{
    PlotFiles files;
    files.shp = farm.find(dateiname + QStringLiteral(".SHP"));
    if (files.shp.isEmpty() && dateiname != dateiname.trimmed())
        files.shp = farm.find(dateiname.trimmed() + QStringLiteral(".SHP"));
    if (files.shp.isEmpty())
        return files;
    const QString base = QFileInfo(files.shp).completeBaseName();
    files.shx = farm.find(base + QStringLiteral(".shx"));
    files.prj = farm.find(base + QStringLiteral(".prj"));
    return files;
}

bool readAhead(const QList<PlotFiles>& plots, ReadAhead* tables,
               const ShapeCache::Progress& progress)
{
    QList<ShapeCache::Request> requests;
    for (const PlotFiles& files : plots) {
        if (!files.shp.isEmpty() && FileGuard::entryAt(files.shp) == FileGuard::Entry::File &&
            cacheable(files.shx))
            requests.append({files.shp, files.shx});
    }
    bool cancelled = false;
    const QList<ShapefileReader::Result> read =
        ShapeCache::shared().readAll(requests, progress, &cancelled);
    if (cancelled)
        return false;
    for (qsizetype i = 0; i < requests.size(); ++i)
        tables->insert(requests.at(i).shpPath, read.at(i));
    return true;
}

Result measureListed(const FolderListing& farm, const QString& dateiname,
                     const ReadAhead* tables)
{
    const PlotFiles files = filesListed(farm, dateiname);
    if (files.shp.isEmpty())
        return {};
    return measureFiles(files.shp, files.shx, files.prj, tables);
}

Result measure(const QString& programFolder, const PlotKey& key)
{
    const QString folder = FarmFolders::farmFolder(programFolder, key.ordner);
    if (folder.isEmpty())
        return {};
    return measureFile(FarmFolders::plotFile(folder, key.dateiname, QStringLiteral(".SHP")));
}

} // namespace PlotMeasurement
