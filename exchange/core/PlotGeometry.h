#pragma once

#include <QString>

#include <memory>

class OGRGeometry;
class OGRSpatialReference;

// Geometry steps of the plot import and export (GDAL/OGR).
namespace PlotGeometry {

struct Deleter {
    void operator()(OGRGeometry* geometry) const;
};
using Owned = std::unique_ptr<OGRGeometry, Deleter>;

enum class Kind { Polygonal, Point, Line, Empty };
// What a feature's geometry is; curves count as what they bound or trace.
Kind kindOf(const OGRGeometry* geometry);

// The polygonal part of geometry as a 2D polygon or multi-polygon (curves
// made straight, holes kept); null when it has none. closeLines makes each
// line (a GPX track or route) a polygon of its points, closed.
Owned polygonal(const OGRGeometry* geometry, bool closeLines);

// A valid polygonal geometry: the same when valid (repaired = false),
// otherwise MakeValid's polygonal part (repaired = true); null when it
// cannot be repaired.
Owned valid(Owned geometry, bool* repaired);

double areaHa(const OGRGeometry* geometry);
// Sum of the lengths of every ring, in the units of the system (metres).
double perimeter(const OGRGeometry* geometry);

// True for a system that is projected and measured in metres.
bool isMetric(const OGRSpatialReference* system);

// The UTM zone (WGS 84) of a point given in degrees.
std::unique_ptr<OGRSpatialReference> utmZone(double longitude, double latitude);

// The system of a .prj file's text; null when it names none.
std::unique_ptr<OGRSpatialReference> fromPrj(const QByteArray& text);

// A short name of the system ("ETRS89 / UTM zone 32N"), "none" without one.
QString nameOf(const OGRSpatialReference* system);

} // namespace PlotGeometry
