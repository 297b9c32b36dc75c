#pragma once

#include <QString>

class MapTable;

// Plane measures of a polygon shapefile in its own coordinates (metres for
// projected files). Rings are filled as the map fills them, by the odd-even
// rule: a ring inside an odd number of other rings of its record is a hole
// and counts negative; the parts of every record are summed.
namespace ShapeMeasures {

struct Measures {
    double areaSquareMetres = 0;
    double perimeterMetres = 0; // every ring's length, holes included
};

Measures of(const MapTable& table);
// The area of of(), without the perimeter's work.
double areaSquareMetres(const MapTable& table);

// True when the coordinates are evidently degrees, not metres: prjText (the
// .prj file's contents, empty when there is none) names a geographic
// coordinate system, or, without a projected one, every coordinate of the
// table lies within ±180 (x) and ±90 (y).
bool inDegrees(const MapTable& table, const QString& prjText);

} // namespace ShapeMeasures
