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
        const ShapefileReader::Result read = ShapeCache::shared().read(file.shpPath, file.shxPath);
        if (!read.table || ShapeMeasures::inDegrees(*read.table, {}))
            continue;
        areas.insert(staged.places.value(k),
                     ShapeMeasures::of(*read.table).areaSquareMetres / 10000.0);
    }
    return areas;
}

bool disagree(double storedHa, double geometryHa)
{
    return std::abs(storedHa - geometryHa) > 0.01 * geometryHa;
}

} // namespace StagedMeasures
