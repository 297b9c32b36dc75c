#include "FieldFolderSync.h"

#include "FarmFolders.h"
#include "FieldQueries.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "WaitCursor.h"

#include <QFileInfo>
#include <QScopedValueRollback>

namespace {
// The plot files of the selected farms' folders, listed before the database
// is touched. A folder that cannot be listed fails the whole run, so that its
// plots do not silently drop out of the field grid.
OperationError scanFolders(const QString& programFolder, const QStringList& farms,
                           QList<PlotKey>* found)
{
    QStringList seen;
    for (const QString& farm : farms) {
        if (seen.contains(farm, Qt::CaseInsensitive))
            continue;
        seen.append(farm);
        const QString folder = FarmFolders::farmFolder(programFolder, farm);
        if (folder.isEmpty())
            continue;
        const QFileInfo info(folder);
        if (!info.isReadable() || !info.isExecutable())
            return {ErrorKind::PermissionDenied, QStringLiteral("cannot list the folder"), folder};
        for (const QString& base : FarmFolders::plotBaseNames(folder))
            found->append({farm, base});
    }
    return OperationError::none();
}
} // namespace

SyncChanges FieldFolderSync::betriebsdatenladen()
{
    const WaitCursor wait;
    const QScopedValueRollback lock(m_state.anzeigesperre, 1);
    SyncChanges changes;
    ProjectDatabase* database = m_state.database;
    if (!database || !database->isOpen()) {
        changes.error = ProjectDatabase::notOpen(m_state.programmpfad);
        return changes;
    }
    const QStringList folders = FarmFolders::list(m_state.programmpfad);
    changes.error = database->inTransaction([&]() {
        for (const QString& folder : folders) {
            OperationError error;
            const bool exists = database->farmExists(folder, &error);
            if (!error.isError() && !exists) {
                error = database->addFarm(folder);
                changes.farmsAdded.append(folder);
            }
            if (error.isError())
                return error;
        }
        return OperationError::none();
    });
    if (changes.error.isError())
        changes.farmsAdded.clear();
    return changes;
}

SyncChanges FieldFolderSync::schlagdatenabgleichen(const QStringList& selectedFarms)
{
    const WaitCursor wait;
    const QScopedValueRollback lock(m_state.anzeigesperre, 1);
    SyncChanges changes;
    ProjectDatabase* database = m_state.database;
    if (!database || !database->isOpen()) {
        changes.error = ProjectDatabase::notOpen(m_state.programmpfad);
        return changes;
    }
    QList<PlotKey> plots;
    changes.error = scanFolders(m_state.programmpfad, selectedFarms, &plots);
    if (changes.error.isError())
        return changes;

    FieldQueries queries(*database);
    changes.error = database->inTransaction([&]() {
        OperationError error = queries.resetDisplayed();
        for (qsizetype i = 0; !error.isError() && i < plots.size(); ++i) {
            int marked = 0;
            error = queries.markDisplayed(plots.at(i), &marked);
            if (error.isError())
                break;
            if (marked > 0) {
                ++changes.rowsMarked;
            } else {
                error = queries.addDisplayedPlot(plots.at(i));
                changes.plotsAdded.append(plots.at(i));
            }
        }
        return error;
    });
    if (changes.error.isError()) {
        changes.plotsAdded.clear();
        changes.rowsMarked = 0;
    }
    return changes;
}

QList<qint64> FieldFolderSync::schlagdatenmarkieren(const QList<PlotRow>& fieldGrid)
{
    QList<qint64> bookmarks;
    bookmarks.reserve(fieldGrid.size());
    for (const PlotRow& row : fieldGrid)
        bookmarks.append(row.rowid);
    return bookmarks;
}
