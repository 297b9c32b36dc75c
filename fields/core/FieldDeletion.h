#pragma once

#include "FieldRows.h"
#include "OperationError.h"
#include "PendingChange.h"

#include <QList>
#include <QString>

struct ProgramState;

// Deleting farms and plots: files and database rows go together. Everything
// is checked first and nothing is deleted when a check fails, so a refused
// deletion leaves files and rows as they were. Nothing outside the program
// folder is reached: a farm folder that is a link, and a link, special file
// or sub-folder inside it, stop the deletion instead of being followed.
namespace FieldDeletion {

// Failures that stop a deletion before anything is deleted, besides the
// database's own (ErrorKind::Database):
// - ErrorKind::Refused: where = a link or special file standing in the way;
// - ErrorKind::FolderNotFile: where = a sub-folder of the farm folder.

// betrieblöschen: deletes the regular files of the farm's folder, the
// folder, the farm's betriebe row and all its schlagdaten rows. A farm
// folder that is gone already only loses its rows.
OperationError deleteFarm(ProgramState& state, const QString& name);

// schlagdatenlöschen: deletes the .SHP, .SHX and .DBF file of every plot
// (found ignoring case; a missing file is no error) and the plots' rows.
OperationError deletePlots(ProgramState& state, const QList<PlotKey>& plots);

// Both deletions are recorded (PendingChange) while they run; one cut short
// is finished by running it again.
inline const QString pendingPlots = QStringLiteral("deleteplots");
bool isPending(const PendingChange::Change& change);
OperationError finishPending(ProgramState& state, const PendingChange::Change& change);

} // namespace FieldDeletion
