#pragma once

#include "OperationError.h"

#include <QString>

class OGRGeometry;
class OGRSpatialReference;
struct PlotRecord;

// Writes one plot as a new shapefile: base + ".shp", ".shx", ".dbf" (Name,
// Kultur, Erntejahr), ".prj" when system is known and ".cpg" (UTF-8), each
// synced to disk. base lies in a scratch folder of the program's own.
namespace PlotShapefile {

OperationError write(const QString& base, const PlotRecord& plot, const OGRGeometry& geometry,
                     const OGRSpatialReference* system);

} // namespace PlotShapefile
