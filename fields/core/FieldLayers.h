#pragma once

#include "OperationError.h"
#include "ProjectDatabase.h"

#include <QHash>
#include <QList>
#include <QString>

// Stages the chosen plots for the map (schlagdatenanzeigen without the map
// itself): empties the staging folder and copies each plot's shapefile
// triple into it under a name of its own, so that plots of different farms
// with the same dateiname are both drawn. There is no limit on the number
// of plots.
namespace FieldLayers {

struct Staged {
    // One colour per staged table, in the order the map lists the tables of
    // the staging folder (ascending staged base name, code unit by code
    // unit). A plot whose .SHP is missing has no table and no colour, so it
    // shifts nothing.
    QList<qint64> colours;
    QStringList stagedNames; // the staged base names, in the same order
    double areaHa = 0;       // Flaeche of every chosen row, each row once
    // Files that exist but could not be staged; the others are staged.
    QList<OperationError> problems;
    // Staged base name -> origin(plot) of the plot staged under it.
    QHash<QString, QString> origins;
    // origin() of each plot a file of which could not be staged.
    QStringList undrawn;
    // The staging folder could not be prepared: nothing was staged.
    OperationError error;
};

// The base name plot number index (0-based, in the order chosen) gets in
// the staging folder: a zero-padded running number, then the dateiname.
QString stagedName(int index, const QString& dateiname);

// The plot's files in its farm folder without extension ("" when the farm
// folder is missing): how the map's problems and the undrawn list name it.
QString origin(const QString& programFolder, const PlotRecord& plot);

// Stages plots (in the order chosen) from their farm folders into the
// staging folder of programFolder. Source names are found ignoring case; a
// missing source file is skipped without a problem. A farm folder that is a
// link leading out of the program folder is not read.
Staged stage(const QString& programFolder, const QList<PlotRecord>& plots);

} // namespace FieldLayers
