#pragma once

#include "AccessImportReport.h"

#include <QList>
#include <QString>
#include <QStringList>

// Checks of imported farms and plots against the program folder, reported
// after the import and never blocking it.
namespace ImportChecks {

struct Plot {
    QString farm; // ordner
    QString file; // dateiname
};

// In plot order: plots whose farm folder is missing or that lack one of their
// shapefiles (.SHP, .SHX, .DBF); an (ordner, dateiname) pair that occurs
// again, once per pair; then farm folders without a farm row, in name order.
// Names compare ignoring case, as the project database compares them.
QList<ImportFinding> run(const QString& programFolder, const QStringList& farms,
                         const QList<Plot>& plots);

} // namespace ImportChecks
