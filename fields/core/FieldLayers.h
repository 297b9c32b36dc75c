#pragma once

#include "MapDataSource.h"
#include "OperationError.h"
#include "ProjectDatabase.h"

#include <QHash>
#include <QList>
#include <QString>

class FarmListings;

// Prepares the chosen plots for the map (schlagdatenanzeigen without the map
// itself): finds each plot's shapefile in its farm folder, where the map
// reads it, and gives each a table name of its own, so that plots of
// different farms with the same dateiname are both drawn. Nothing is copied:
// the staging folder is only emptied (of measurements the GPS display left),
// since nothing but the map would read it. There is no limit on the number
// of plots.
namespace FieldLayers {

struct Staged {
    // One shapefile per drawn plot, in the order chosen, named by
    // stagedName(): the map's tables in the order it lists them. A plot
    // whose .SHP is missing has no entry and no colour, so it shifts nothing.
    QList<MapDataSource::ShapefileEntry> files;
    QList<qint64> colours;   // colour k belongs to files[k]
    QList<int> places;       // places[k]: index in plots of files[k]
    QStringList stagedNames; // the table names, in the same order
    double areaHa = 0;       // Flaeche of every chosen row, each row once
    // Map file (path of its .SHP without extension) -> origin() of its plot:
    // how the map's problems are turned into the plots the map left out.
    QHash<QString, QString> origins;
    // The staging folder could not be emptied: nothing was prepared.
    OperationError error;
};

// The table name plot number index (0-based, in the order chosen) gets: a
// zero-padded running number, then the dateiname. Names in this form sort
// in the order chosen, code unit by code unit.
QString stagedName(int index, const QString& dateiname);

// The plot's files in its farm folder without extension ("" when the farm
// folder is missing): how the map's problems and the undrawn list name it.
QString origin(const QString& programFolder, const PlotRecord& plot);

// Stages plots (in the order chosen) from their farm folders into the
// staging folder of programFolder. Source names are found ignoring case; a
// missing source file is skipped without a problem. A farm folder that is a
// link leading out of the program folder is not read. The farm folders are
// taken from listings when given (as the synchronisation just listed them).
Staged stage(const QString& programFolder, const QList<PlotRecord>& plots,
             FarmListings* listings = nullptr);

} // namespace FieldLayers
