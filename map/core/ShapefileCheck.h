#pragma once

#include "OperationError.h"

class FileBytes;

// Structural checks of a shapefile and its index before shapelib reads them.
// The files pass only when header, index and records agree exactly: file code,
// version and length of both headers, the same shape type in both, an index of
// whole 8-byte entries, each entry lying inside the .shp with the content
// length of the record it points at, and each record's content length being
// what its part and point counts need. The detail of a failure says what
// disagrees ("record 3: content length 56 words, 2 parts and 5 points need
// 64"); where names the file.
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
