#include "StagedMeasures.h"

#include "FieldLayers.h"
#include "FileGuard.h"
#include "ShapeCache.h"
#include "ShapeMeasures.h"
#include "StagingFolder.h"

#include <cmath>

namespace StagedMeasures {

QHash<int, double> areasHa(const QString& programFolder, const QList<PlotRecord>& plots)
{
    QHash<int, double> areas;
    const QString staging = StagingFolder::path(programFolder);
    for (qsizetype i = 0; i < plots.size(); ++i) {
        const QString base = staging + '/' + FieldLayers::stagedName(int(i), plots.at(i).dateiname);
        const QString shp = base + QStringLiteral(".SHP");
        if (FileGuard::entryAt(shp) != FileGuard::Entry::File)
            continue;
        const ShapefileReader::Result read =
            ShapeCache::shared().read(shp, base + QStringLiteral(".SHX"));
        if (!read.table || ShapeMeasures::inDegrees(*read.table, {}))
            continue;
        areas.insert(int(i), ShapeMeasures::of(*read.table).areaSquareMetres / 10000.0);
    }
    return areas;
}

bool disagree(double storedHa, double geometryHa)
{
    return std::abs(storedHa - geometryHa) > 0.01 * geometryHa;
}

} // namespace StagedMeasures
