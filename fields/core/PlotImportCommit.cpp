#include "PlotImportCommit.h"

#include "FarmFolders.h"
#include "FieldQueries.h"
#include "FileGuard.h"
#include "ProgramState.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace PlotImportCommit {

namespace {
const QString pendingImport = QStringLiteral("importplots");
const QString scratchPrefix = QStringLiteral(".new-import-");

// The files of one plot in the scratch folder: base + extension.
QStringList scratchFiles(const QString& scratch, const QString& base)
{
    return QDir(scratch).entryList({base + QStringLiteral(".*")},
                                   QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The farm's folder, made when missing; created tells whether this call made it.
OperationError farmFolderOf(const QString& programFolder, const QString& farm, QString* folder,
                            bool* created)
{
    *created = false;
    *folder = FarmFolders::farmFolder(programFolder, farm);
    if (!folder->isEmpty())
        return OperationError::none();
    *folder = programFolder + '/' + farm.trimmed();
    *created = true;
    return FileGuard::createFolder(programFolder, *folder);
}

// Gives every scratch file its name in the farm folder. Never replaces an
// existing name; with finishing, a name already there is taken as given by
// the run that was cut short. linked collects the names made.
OperationError linkAll(const QString& programFolder, const QString& scratch,
                       const QList<NewPlot>& plots, bool finishing, QStringList* linked,
                       QStringList* madeFolders)
{
    for (const NewPlot& plot : plots) {
        QString folder;
        bool created = false;
        if (OperationError error =
                farmFolderOf(programFolder, plot.record.ordner, &folder, &created);
            error.isError())
            return error;
        if (created)
            madeFolders->append(folder);
        for (const QString& file : scratchFiles(scratch, plot.scratchBase)) {
            const QString extension = file.mid(plot.scratchBase.size());
            const QString target = folder + '/' + plot.record.dateiname + extension;
            if (finishing && FileGuard::entryAt(target) == FileGuard::Entry::File)
                continue;
            const QString source = scratch + '/' + file;
            OperationError error = FileGuard::linkNew(programFolder, source, target);
            if (error.isError() && FileGuard::entryAt(target) == FileGuard::Entry::Missing)
                error = FileGuard::copyNew(programFolder, source, target);
            if (error.isError())
                return error;
            linked->append(target);
        }
    }
    return OperationError::none();
}

OperationError deleteRows(ProjectDatabase& database, const QStringList& newFarms,
                          const QList<NewPlot>& plots)
{
    return database.inTransaction([&]() -> OperationError {
        QSqlQuery query(database.database());
        for (const NewPlot& plot : plots) {
            query.prepare(
                QStringLiteral("delete from schlagdaten where ordner = ? and dateiname = ?"));
            query.addBindValue(plot.record.ordner);
            query.addBindValue(plot.record.dateiname);
            if (!query.exec())
                return {ErrorKind::Database, query.lastError().text(), database.path()};
        }
        for (const QString& farm : newFarms) {
            query.prepare(QStringLiteral("delete from betriebe where Name = ?"));
            query.addBindValue(farm);
            if (!query.exec())
                return {ErrorKind::Database, query.lastError().text(), database.path()};
        }
        return OperationError::none();
    });
}

PendingChange::Change changeOf(const QString& scratch, const QStringList& newFarms,
                               const QList<NewPlot>& plots)
{
    PendingChange::Change change{pendingImport, {{QDir(scratch).dirName()}, newFarms}};
    for (const NewPlot& plot : plots)
        change.rows.append({plot.record.ordner, plot.record.dateiname, plot.scratchBase});
    return change;
}
} // namespace

OperationError makeScratch(const QString& programFolder, QString* scratch)
{
    *scratch = programFolder + '/' + scratchPrefix +
               QString::number(QRandomGenerator::global()->generate64(), 36);
    return FileGuard::createFolder(programFolder, *scratch);
}

OperationError removeScratch(const QString& programFolder, const QString& scratch)
{
    if (FileGuard::entryAt(scratch) != FileGuard::Entry::Folder)
        return OperationError::none();
    for (const QString& file :
         QDir(scratch).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (OperationError error = FileGuard::removeFile(programFolder, scratch + '/' + file);
            error.isError())
            return error;
    }
    return FileGuard::removeFolder(programFolder, scratch);
}

void removeStaleScratch(const QString& programFolder)
{
    // Only folders of the import's own making: numbered plot files, nothing else.
    static const QRegularExpression ownFile(QStringLiteral("^\\d+\\.[A-Za-z]{3}$"));
    if (PendingChange::read(programFolder)) // an import to finish keeps its folder
        return;
    const QDir folder(programFolder);
    for (const QString& entry :
         folder.entryList({scratchPrefix + '*'}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        const QString scratch = folder.filePath(entry);
        const QStringList files =
            QDir(scratch).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                    QDir::NoDotAndDotDot);
        if (std::all_of(files.begin(), files.end(),
                        [](const QString& file) { return ownFile.match(file).hasMatch(); }))
            (void)removeScratch(programFolder, scratch);
    }
}

OperationError commit(ProgramState& state, const QString& scratch, const QStringList& newFarms,
                      const QList<NewPlot>& plots)
{
    if (!state.database)
        return ProjectDatabase::notOpen(state.programmpfad);
    ProjectDatabase& database = *state.database;
    if (OperationError error = PendingChange::record(state.programmpfad,
                                                     changeOf(scratch, newFarms, plots));
        error.isError())
        return error;
    auto giveUp = [&](const OperationError& error) {
        if (!removeScratch(state.programmpfad, scratch).isError())
            PendingChange::clear(state.programmpfad);
        return error;
    };
    const FieldQueries queries(database);
    OperationError error = database.inTransaction([&]() -> OperationError {
        for (const QString& farm : newFarms) {
            OperationError failed;
            if (!database.farmExists(farm, &failed) && !failed.isError())
                failed = database.addFarm(farm);
            if (failed.isError())
                return failed;
        }
        for (const NewPlot& plot : plots) {
            OperationError failed;
            if (queries.plotExists({plot.record.ordner, plot.record.dateiname}, &failed))
                return {ErrorKind::Refused, QStringLiteral("the farm has a plot of that name"),
                        plot.record.ordner + '/' + plot.record.dateiname};
            if (!failed.isError())
                failed = database.addPlot(plot.record);
            if (failed.isError())
                return failed;
        }
        return OperationError::none();
    });
    if (error.isError())
        return giveUp(error);

    QStringList linked, madeFolders;
    error = linkAll(state.programmpfad, scratch, plots, false, &linked, &madeFolders);
    if (error.isError()) {
        // Back to the state before: the names given first, then the rows.
        bool undone = true;
        for (const QString& file : std::as_const(linked))
            undone = !FileGuard::removeFile(state.programmpfad, file).isError() && undone;
        for (const QString& folder : std::as_const(madeFolders))
            undone = !FileGuard::removeFolder(state.programmpfad, folder).isError() && undone;
        if (undone && !deleteRows(database, newFarms, plots).isError())
            return giveUp(error);
        return error; // the record stays: the next start finishes the import
    }
    // The plots are in; scratch that cannot go now goes at the next start.
    if (!removeScratch(state.programmpfad, scratch).isError())
        PendingChange::clear(state.programmpfad);
    return OperationError::none();
}

bool isPending(const PendingChange::Change& change)
{
    return change.operation == pendingImport;
}

OperationError finishPending(ProgramState& state, const PendingChange::Change& change)
{
    const QString scratch = state.programmpfad + '/' + change.rows.value(0).value(0);
    if (change.rows.value(0).value(0).isEmpty() ||
        !change.rows.value(0).value(0).startsWith(scratchPrefix))
        return PendingChange::clear(state.programmpfad);
    QStringList newFarms = change.rows.value(1);
    newFarms.removeAll(QString());
    QList<NewPlot> plots;
    for (const QStringList& row : change.rows.mid(2)) {
        NewPlot plot;
        plot.record.ordner = row.value(0);
        plot.record.dateiname = row.value(1);
        plot.scratchBase = row.value(2);
        plots.append(plot);
    }
    bool committed = false;
    if (!plots.isEmpty()) {
        OperationError error;
        committed = FieldQueries(*state.database)
                        .plotExists({plots.first().record.ordner, plots.first().record.dateiname},
                                    &error);
        if (error.isError())
            return error;
    }
    if (committed && FileGuard::entryAt(scratch) == FileGuard::Entry::Folder) {
        QStringList linked, madeFolders;
        if (OperationError error =
                linkAll(state.programmpfad, scratch, plots, true, &linked, &madeFolders);
            error.isError())
            return error;
    }
    if (OperationError error = removeScratch(state.programmpfad, scratch); error.isError())
        return error;
    return PendingChange::clear(state.programmpfad);
}

} // namespace PlotImportCommit
