#pragma once

#include <QByteArray>
#include <QList>
#include <QPolygonF>
#include <QString>

// Shapefiles for tests, built byte by byte at the positions and in the byte
// order of the published ESRI layout, so that a test can damage any field.
namespace ShapeFixture {

using Rings = QList<QPolygonF>; // the parts of one record

// Closed square ring with its lower left corner at (x, y), clockwise as
// shapefiles want outer rings; counter-clockwise when hole is true.
QPolygonF square(double x, double y, double side, bool hole = false);

struct Shapefile {
    QByteArray shp;
    QByteArray shx;
};
// A polygon file (main and index file) with one record per entry of records.
Shapefile polygonFile(const QList<Rings>& records);
// bytes with a 32-bit integer written at pos.
QByteArray withInt32(QByteArray bytes, qint64 pos, qint32 value, bool bigEndian = false);

// Writes folder/shpName and its index (named like shpName, "X" for the last
// "P" in the same case); returns the path of the main file.
QString writeShapefile(const QString& folder, const QString& shpName, const Shapefile& file);

enum class Suffix { Lower, Upper }; // .shp/.shx or .SHP/.SHX
QString writePolygons(const QString& folder, const QString& base, const QList<Rings>& records,
                      Suffix suffix = Suffix::Upper);
QString writeSquare(const QString& folder, const QString& base, double x, double y, double side,
                    Suffix suffix = Suffix::Upper);

// Unzips the real field boundaries (one shapefile of 100 fields) into folder
// and returns the path of its .shp; empty when the archive or unzip is missing.
QString unzipRealFields(const QString& folder);
constexpr int realFieldCount = 100;

// One real field written as a plot file of its own, with its area (ha) by a
// plain shoelace over the file's rings (outer rings clockwise add, holes
// subtract), read from the bytes without the program's reader.
struct RealPlot {
    QString farm; // "Hof 1" to "Hof 12", the fields dealt out in turn
    QString base; // "Feld 1" to "Feld 100"
    double areaHa = 0;
};
// Writes every real field as farm folder/plot file into programFolder;
// empty when the archive or unzip is missing.
QList<RealPlot> writeRealFarms(const QString& programFolder);
constexpr int realTwoPartFieldCount = 8;

} // namespace ShapeFixture
