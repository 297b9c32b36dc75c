#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

// Stages the chosen measurements for the map (gpsdatenanzeigen without the
// map itself): empties the staging folder and copies each measurement's
// working files into it under its base name (base + "F.SHP" becomes
// base + ".SHP", the description file is staged as it is). The area total
// is read from the staged description files.
namespace GpsStaging {

// The colour every measurement is drawn in: pure blue (red + 256 * green +
// 65536 * blue).
constexpr qint64 blue = 16711680;

struct Staged {
    int tables = 0;       // shapefiles in the staging folder
    double areaHa = 0;    // item 2 of every chosen measurement's description
    QList<qint64> colours; // one per table: blue
    // Files that exist but could not be staged, and description files that
    // could not be read; the others are staged and counted.
    QList<OperationError> problems;
    // The staging folder could not be prepared: nothing was staged.
    OperationError error;
};

// measurements are dateiname values in the order chosen; one chosen twice
// is staged once and counted twice. A missing working file is skipped.
Staged stage(const QString& programFolder, const QString& gpsFolder,
             const QStringList& measurements);

} // namespace GpsStaging
