#pragma once

#include "OperationError.h"

class FileBytes;

// Cheap structural checks of a shapefile and its index before shapelib reads
// them, so that shapelib never trusts a size or count that the files cannot
// hold: file code and length of both headers, every index entry lying inside
// the .shp, and the part and point counts of every record fitting its length.
namespace ShapefileCheck {

struct Result {
    OperationError error; // kind and detail; where = path of the offending file
    int shapeType = 0;    // shape type code of the .shp header
    int recordCount = 0;  // entries of the index
};

Result check(const FileBytes& shp, const FileBytes& shx);

// True for the shape type codes this program can draw: polygons, lines,
// points and multipoints with or without Z and M, and the null type.
bool isDrawableType(int shapeType);

} // namespace ShapefileCheck
