#include "StagedMeasures.h"

#include "ShapeCache.h"
#include "ShapeMeasures.h"

#include <cmath>

namespace StagedMeasures {

QHash<int, double> areasHa(const FieldLayers::Staged& staged)
{
    QHash<int, double> areas;
    for (qsizetype k = 0; k < staged.files.size(); ++k) {
        const MapDataSource::ShapefileEntry& file = staged.files.at(k);
        // The map has just read these files: their tables are taken as drawn.
        const ShapefileReader::Result read =
            ShapeCache::shared().readThisRound(file.shpPath, file.shxPath);
        if (!read.table || ShapeMeasures::inDegrees(*read.table, {}))
            continue;
        areas.insert(staged.places.value(k),
                     ShapeMeasures::areaSquareMetres(*read.table) / 10000.0);
    }
    return areas;
}

bool disagree(double storedHa, double geometryHa)
{
    return std::abs(storedHa - geometryHa) > 0.01 * geometryHa;
}

} // namespace StagedMeasures
