#include "PendingChangeRecovery.h"

#include "FieldDeletion.h"
#include "FileGuard.h"
#include "GpsAssignment.h"
#include "PendingChange.h"
#include "PlotImportCommit.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"

#include <QDir>
#include <QFileInfo>

namespace PendingChangeRecovery {

OperationError finish(ProgramState& state)
{
    if (!state.database || !state.database->isOpen())
        return OperationError::none();
    // The scratch file of a record cut short while being written.
    const QDir folder(state.programmpfad);
    const QString scratch =
        '.' + QFileInfo(PendingChange::path(state.programmpfad)).fileName() + ".*";
    for (const QString& entry :
         folder.entryList({scratch}, QDir::Files | QDir::Hidden | QDir::System))
        FileGuard::removeFile(state.programmpfad, folder.filePath(entry));
    // Those of other files replaced in the program folder (language file).
    FileGuard::removeStaleScratch(state.programmpfad, state.programmpfad);
    // Those of plot imports cut short before their record was written.
    PlotImportCommit::removeStaleScratch(state.programmpfad);
    const std::optional<PendingChange::Change> change = PendingChange::read(state.programmpfad);
    if (!change) {
        // A record cut short while being written: nothing had changed yet.
        if (FileGuard::entryAt(PendingChange::path(state.programmpfad)) == FileGuard::Entry::File)
            return PendingChange::clear(state.programmpfad);
        return OperationError::none();
    }
    if (FieldDeletion::isPending(*change))
        return FieldDeletion::finishPending(state, *change);
    if (GpsAssignment::isPending(*change))
        return GpsAssignment::finishPending(state, *change);
    if (PlotImportCommit::isPending(*change))
        return PlotImportCommit::finishPending(state, *change);
    return {ErrorKind::InvalidArgument, QStringLiteral("unknown change under way"),
            PendingChange::path(state.programmpfad)};
}

} // namespace PendingChangeRecovery
