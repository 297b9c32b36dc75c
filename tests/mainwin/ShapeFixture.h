#pragma once

#include <QList>
#include <QPolygonF>
#include <QString>

// Writes small shapefiles with shapelib for tests, and damages them on purpose.
namespace ShapeFixture {

using Rings = QList<QPolygonF>; // the parts of one record

// Closed square ring with its lower left corner at (x, y), clockwise as
// shapefiles want outer rings; counterclockwise when hole is true.
QPolygonF square(double x, double y, double side, bool hole = false);

enum class Suffix { Lower, Upper }; // .shp/.shx/.dbf or .SHP/.SHX/.DBF

// Writes folder/base with its index and a one-field table, one polygon record
// per entry of records. Returns the path of the .shp.
QString writePolygons(const QString& folder, const QString& base, const QList<Rings>& records,
                      Suffix suffix = Suffix::Upper);
// One record with one square.
QString writeSquare(const QString& folder, const QString& base, double x, double y, double side,
                    Suffix suffix = Suffix::Upper);

// Overwrites bytes of a file at offset; writes a 32-bit integer.
void patchInt32(const QString& path, qint64 offset, qint32 value, bool bigEndian);
void truncateFile(const QString& path, qint64 size);

// Unzips the real field boundaries (one shapefile of 100 fields) into folder
// and returns the path of its .shp; empty when the archive or unzip is missing.
QString unzipRealFields(const QString& folder);
constexpr int realFieldCount = 100;
constexpr int realTwoPartFieldCount = 8;

} // namespace ShapeFixture
