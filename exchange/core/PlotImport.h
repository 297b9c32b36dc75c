#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ProgramState;

// Brings the polygons of a vector file (shapefile, GeoPackage, GML, GeoJSON,
// KML/KMZ, GPX, FlatGeobuf, any of them in a .zip) into farms of the program
// folder: each polygonal feature becomes one plot shapefile (.shp, .shx,
// .dbf, .prj, .cpg UTF-8) in its farm's folder and one schlagdaten row with
// Name, Kultur and Erntejahr from chosen fields, Flaeche (ha) and Umfang (m)
// from the geometry and a palette colour. All plots or none are written.
namespace PlotImport {

struct Options {
    QString file;
    QString layer;    // empty: every layer
    QString farm;     // the farm of every plot, or
    QString farmFrom; // the field whose value names each plot's farm
    QString nameFrom; // field of the plot name; empty: layer name and feature number
    QString cropFrom;
    QString yearFrom;
    bool dryRun = false; // plan and report, write nothing
};

struct FarmSummary {
    QString farm;
    bool created = false; // no row or folder before the import
    int plots = 0;
    double areaHa = 0;
};

// A feature that was left out or repaired: "layer #fid name" and why.
struct Note {
    QString feature;
    QString reason;
};

struct Report {
    QString sourceSystem;
    QString targetSystem;
    bool reprojected = false;
    QList<FarmSummary> farms;
    QList<Note> skipped;
    QList<Note> repaired;
    int points = 0; // point features skipped
    int lines = 0;  // line features skipped
    int plotCount() const;
    double totalHa() const;
};

struct Result {
    Report report;
    OperationError error; // nothing was written when set
};

Result run(ProgramState& state, const Options& options);

// What a file offers for the choice of layer and fields.
struct Layer {
    QString name;
    qint64 features = 0;
    QString geometry; // GDAL's name of the layer's geometry type
    QStringList fields;
};
struct Description {
    QList<Layer> layers;
    OperationError error;
};
Description describe(const QString& file);

} // namespace PlotImport
