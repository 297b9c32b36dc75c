#pragma once

#include "OperationError.h"
#include "PendingChange.h"

#include <QString>
#include <QStringList>

struct ProgramState;

// gpsdatenzuordnen without the window: turns measurements of the GPS source
// folder into plots of a farm. Each measurement's base + "F.SHP", "F.SHX" and
// "F.DBF" are copied into the farm folder as base + ".SHP", ".SHX", ".DBF",
// and a schlagdaten row is added with dateiname and Name = base, ordner =
// farm, anzeigen = 0 and Flaeche, Umfang and maxDOP from the description
// file (a value whose item is shorter than its label stays 0). The copies
// and the row of one measurement are made together or not at all. The GPS
// folder and gpsdaten are not changed. A measurement whose shapefile the map
// reader refuses is refused (the error names the file) before anything is
// copied.
namespace GpsAssignment {

struct Outcome {
    QStringList assigned;     // measurements that became plots
    QStringList alreadyPlots; // the farm has a plot of that name: nothing done
    // The measurement that failed: it and those after it are not assigned.
    QString failed;
    OperationError error;
};

// A measurement counts as a plot of the farm already when schlagdaten has a
// row (farm, base) or a file base + ".SHP", ".SHX" or ".DBF" lies in the farm
// folder; nothing is ever replaced there.
Outcome assign(ProgramState& state, const QString& farm, const QStringList& measurements);

// Each measurement's copies and row are recorded (PendingChange) while they
// are made; an assignment cut short is finished with the copies it made.
bool isPending(const PendingChange::Change& change);
OperationError finishPending(ProgramState& state, const PendingChange::Change& change);

} // namespace GpsAssignment
