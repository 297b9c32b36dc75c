#pragma once

#include "OperationError.h"
#include "PendingChange.h"
#include "ProjectDatabase.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ProgramState;

// Puts plots prepared in a scratch folder of the program folder into their
// farm folders and their rows into schlagdaten, all of them or none.
// The scratch folder (".new-import-*") holds each plot's files under a base
// name of its own ("0001.shp", "0001.shx", ...). The order: the change is
// recorded (PendingChange), the farm and plot rows are inserted in one
// transaction, then every file is given its name in the farm folder (a hard
// link, never replacing a name) and the scratch folder goes. A failure before
// the commit or while naming the files takes everything back; an import cut
// short is finished at the next start once its rows are committed and taken
// back otherwise.
namespace PlotImportCommit {

struct NewPlot {
    QString scratchBase; // base name of its files in the scratch folder
    PlotRecord record;   // ordner = farm, dateiname = base name in the farm folder
};

// Creates an empty scratch folder in the program folder; its path in scratch.
OperationError makeScratch(const QString& programFolder, QString* scratch);
// Removes the scratch folder and the files in it.
OperationError removeScratch(const QString& programFolder, const QString& scratch);
// Removes scratch folders that an import cut short before its record left.
void removeStaleScratch(const QString& programFolder);

// newFarms: farms that get a betriebe row (their folders are made when
// missing). Fails, changing nothing, when a plot of that farm and name exists.
OperationError commit(ProgramState& state, const QString& scratch, const QStringList& newFarms,
                      const QList<NewPlot>& plots);

bool isPending(const PendingChange::Change& change);
OperationError finishPending(ProgramState& state, const PendingChange::Change& change);

} // namespace PlotImportCommit
