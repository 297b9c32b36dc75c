#pragma once

#include "MapTable.h"
#include "OperationError.h"

#include <memory>

// Reads a whole shapefile into a MapTable with shapelib, after the structural
// checks of ShapefileCheck. A file that fails any check or any record is
// rejected as a whole: a plot drawn in part would mislead.
namespace ShapefileReader {

struct Result {
    std::shared_ptr<const MapTable> table; // null on failure
    OperationError error;                  // where = path of the offending file
};

// shxPath is the index already found on disk (empty when there is none).
Result read(const QString& shpPath, const QString& shxPath);

// Finds the index beside shpPath ignoring case, then reads.
Result read(const QString& shpPath);

} // namespace ShapefileReader
