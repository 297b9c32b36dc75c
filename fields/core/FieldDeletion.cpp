#include "FieldDeletion.h"

#include "FarmFolders.h"

#include "FieldQueries.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "PendingChange.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace FieldDeletion {

namespace {
const QString pendingFarm = QStringLiteral("deletefarm");

// Runs a deletion under a record of it, so that a deletion cut short is
// finished at the next start. A failure that deleted no file leaves nothing
// to finish; one that did keeps the record.
template <typename Fn>
OperationError recorded(const QString& programFolder, const PendingChange::Change& change,
                        const bool& removedAny, Fn&& deletion)
{
    if (OperationError error = PendingChange::record(programFolder, change); error.isError())
        return error;
    const OperationError error = deletion();
    if (!error.isError() || !removedAny)
        PendingChange::clear(programFolder);
    return error;
}

OperationError systemFailure(const QString& where)
{
    const int code = errno;
    return {code == EACCES || code == EPERM ? ErrorKind::PermissionDenied
                                            : ErrorKind::PathFileAccess,
            QString::fromLocal8Bit(std::strerror(code)), where};
}

// The files of a farm folder, when every entry is a regular file.
OperationError checkFarmFolder(const QString& programFolder, const QString& folder,
                               QStringList* files)
{
    if (OperationError error = FileGuard::checkFolder(programFolder, folder); error.isError())
        return error;
    const QDir dir(folder);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        const QString path = dir.filePath(entry);
        switch (FileGuard::entryAt(path)) {
        case FileGuard::Entry::File:
            files->append(path);
            break;
        case FileGuard::Entry::Missing:
            break;
        case FileGuard::Entry::Folder:
            return {ErrorKind::FolderNotFile, QStringLiteral("sub-folder"), path};
        case FileGuard::Entry::Unreachable:
            return {ErrorKind::PermissionDenied, QStringLiteral("cannot be examined"), path};
        case FileGuard::Entry::Link:
        case FileGuard::Entry::Special:
            return {ErrorKind::Refused, QStringLiteral("link or special file"), path};
        }
    }
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return systemFailure(folder);
    if (::access(QFile::encodeName(programFolder).constData(), W_OK | X_OK) != 0)
        return systemFailure(programFolder);
    return OperationError::none();
}
} // namespace

OperationError deleteFarm(ProgramState& state, const QString& name)
{
    if (!state.database || !state.database->isOpen())
        return ProjectDatabase::notOpen(state.programmpfad);
    const QString farm = name.trimmed();
    if (farm.isEmpty() || farm.contains('/') || farm == QLatin1String(".") ||
        farm == QLatin1String(".."))
        return {ErrorKind::InvalidArgument, QStringLiteral("no farm name"), name};
    const QString folder = FileResolver::resolve(state.programmpfad, farm);
    QStringList files;
    bool folderExists = false;
    switch (FileGuard::entryAt(folder)) {
    case FileGuard::Entry::Missing:
        break; // removed by hand: only the rows go
    case FileGuard::Entry::Folder: {
        folderExists = true;
        if (OperationError error = checkFarmFolder(state.programmpfad, folder, &files);
            error.isError())
            return error;
        break;
    }
    case FileGuard::Entry::Unreachable:
        return {ErrorKind::PermissionDenied, QStringLiteral("cannot be examined"), folder};
    case FileGuard::Entry::File:
        return {ErrorKind::FileNotFolder, QStringLiteral("a file, not a farm folder"), folder};
    case FileGuard::Entry::Link:
    case FileGuard::Entry::Special:
        return {ErrorKind::Refused, QStringLiteral("link or special file"), folder};
    }

    // The rows go in a transaction that commits only once the files and the
    // folder are gone; a file that cannot be deleted keeps the rows.
    FieldQueries queries(*state.database);
    bool removedAny = false;
    return recorded(state.programmpfad, {pendingFarm, {{farm}}}, removedAny, [&]() {
        return state.database->inTransaction([&]() {
            OperationError error = queries.deleteFarmRowsInTransaction(farm);
            for (qsizetype i = 0; !error.isError() && i < files.size(); ++i) {
                error = FileGuard::removeFile(state.programmpfad, files.at(i));
                removedAny = removedAny || !error.isError();
            }
            if (!error.isError() && folderExists)
                error = FileGuard::removeFolder(state.programmpfad, folder);
            return error;
        });
    });
}

OperationError deletePlots(ProgramState& state, const QList<PlotKey>& plots)
{
    if (!state.database || !state.database->isOpen())
        return ProjectDatabase::notOpen(state.programmpfad);
    QStringList files;
    for (const PlotKey& plot : plots) {
        // The folder as named first (it may begin or end with a blank), else trimmed.
        QString folder = FileResolver::resolve(state.programmpfad, plot.ordner);
        if (FileGuard::entryAt(folder) == FileGuard::Entry::Missing)
            folder = FileResolver::resolve(state.programmpfad, plot.ordner.trimmed());
        const FileGuard::Entry entry = FileGuard::entryAt(folder);
        if (entry == FileGuard::Entry::Missing)
            continue;
        if (entry != FileGuard::Entry::Folder)
            return {ErrorKind::Refused, QStringLiteral("not a farm folder"), folder};
        for (const char* ext : {".SHP", ".SHX", ".DBF"}) {
            const QString file =
                FarmFolders::plotFile(folder, plot.dateiname, QLatin1String(ext));
            if (OperationError error = FileGuard::checkFile(state.programmpfad, file);
                error.isError())
                return error;
            if (FileGuard::entryAt(file) == FileGuard::Entry::File)
                files.append(file);
        }
    }
    FieldQueries queries(*state.database);
    PendingChange::Change change{pendingPlots, {}};
    for (const PlotKey& plot : plots)
        change.rows.append({plot.ordner, plot.dateiname});
    bool removedAny = false;
    return recorded(state.programmpfad, change, removedAny, [&]() {
        return state.database->inTransaction([&]() {
            OperationError error;
            for (qsizetype i = 0; !error.isError() && i < plots.size(); ++i)
                error = queries.deletePlotRows(plots.at(i));
            for (qsizetype i = 0; !error.isError() && i < files.size(); ++i) {
                error = FileGuard::removeFile(state.programmpfad, files.at(i));
                removedAny = removedAny || !error.isError();
            }
            return error;
        });
    });
}

bool isPending(const PendingChange::Change& change)
{
    return change.operation == pendingPlots || change.operation == pendingFarm;
}

OperationError finishPending(ProgramState& state, const PendingChange::Change& change)
{
    if (change.operation == pendingFarm && change.rows.size() == 1)
        return deleteFarm(state, change.rows.first().value(0));
    QList<PlotKey> plots;
    for (const QStringList& row : change.rows)
        plots.append({row.value(0), row.value(1)});
    return deletePlots(state, plots);
}

} // namespace FieldDeletion
