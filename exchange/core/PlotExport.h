#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>

class ProjectDatabase;

// Writes the plots of farms into one layer of a vector file for other
// programs, with every schlagdaten column as attributes: in the plots' own
// coordinate system (that of the first plot with a .prj; others are
// reprojected to it), GeoJSON and KML in WGS 84. The file appears whole or
// not at all; an existing file is replaced only with force.
namespace PlotExport {

struct Options {
    QString out;
    QStringList farms; // empty: every farm
    QString format;    // GDAL driver: GPKG, ESRI Shapefile, GeoJSON, KML; empty: from out's suffix
    bool force = false;
};

struct Result {
    int plots = 0;
    int farms = 0;
    QString format;
    QString system;
    QStringList skipped; // "farm/plot: why"
    OperationError error;
};

// The GDAL driver a file name suggests; GPKG when its suffix says nothing.
QString formatFor(const QString& out);

Result run(ProjectDatabase& database, const QString& programFolder, const Options& options);

} // namespace PlotExport
