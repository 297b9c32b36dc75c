#pragma once

#include "FieldRows.h"
#include "OperationError.h"
#include "ShapeCache.h"
#include "ShapefileReader.h"

#include <QHash>
#include <QList>
#include <QString>

class FolderListing;

// Flaeche and Umfang of a plot taken from its shapefile, as the
// synchronisation fills them into a new row.
namespace PlotMeasurement {

enum class Outcome {
    Measured,  // flaecheHa and umfangM hold the geometry's measures
    InDegrees, // the coordinates are degrees: no area can be taken from them
    Refused,   // the map reader refused the file; error says why
    Missing,   // the farm folder or the .SHP is not there
};

struct Result {
    Outcome outcome = Outcome::Missing;
    double flaecheHa = 0; // hectares
    double umfangM = 0;   // metres
    OperationError error; // set for Refused
};

// Reads the plot's .SHP (and .prj beside it, both found ignoring case) from
// its farm folder in programFolder.
Result measure(const QString& programFolder, const PlotKey& key);

// The plot's files found in the listing of its farm folder (ignoring case;
// the name as it is, else trimmed); empty paths for files not there.
struct PlotFiles {
    QString shp;
    QString shx;
    QString prj;
};
PlotFiles filesListed(const FolderListing& farm, const QString& dateiname);

// Tables read ahead for many plots at once (ShapeCache::readAll), by .SHP path.
using ReadAhead = QHash<QString, ShapefileReader::Result>;
// The plots' tables read on all cores, for measureListed to take; what cannot
// be read through the shape cache is left to measureListed. False when
// progress cancelled the reading.
bool readAhead(const QList<PlotFiles>& plots, ReadAhead* tables,
               const ShapeCache::Progress& progress = {});

// measure() of the plot dateiname in the farm folder listed in farm (listed
// once for all plots of a farm; names found in it ignoring case), its table
// taken from tables when read ahead there.
Result measureListed(const FolderListing& farm, const QString& dateiname,
                     const ReadAhead* tables = nullptr);

// Measures of a shapefile at shpPath, found as it is.
Result measureFile(const QString& shpPath);

} // namespace PlotMeasurement
