#pragma once

#include "OperationError.h"

#include <QString>

// Cheap structural checks of a shapefile and its index before shapelib reads
// them, so that shapelib never trusts a size or count that the files cannot
// hold: header file code and lengths of both files, every index entry lying
// inside the .shp, and the part and point counts of every record fitting its
// record length. Reads only the headers (the .shp is memory-mapped).
namespace ShapefileCheck {

struct Result {
    OperationError error; // kind and detail; where = path of the offending file
    int shapeType = 0;    // shapefile type code of the .shp header
    int recordCount = 0;  // entries of the index
};

// shxPath may be empty when no index was found.
Result check(const QString& shpPath, const QString& shxPath);

// True for the shape type codes this program can draw (polygons, lines,
// points and multipoints with or without Z and M, and the null type).
bool isDrawableType(int shapeType);

} // namespace ShapefileCheck
