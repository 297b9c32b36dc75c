#include "FieldFolderSync.h"

#include "FarmFolders.h"
#include "FarmListings.h"
#include "FieldQueries.h"
#include "FolderListing.h"
#include "PlotMeasurement.h"
#include "PlotPalette.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

namespace {
// The names that are listed; the others get a note: a name equal to an
// earlier one ignoring case (the database could tell them apart no more) or
// one not valid in the file system's encoding. The map reads plots where
// they lie, so any name the file system holds can be drawn. farm is empty
// when names are farm folders.
QStringList usableNames(const QStringList& names, const QString& farm, QList<PlotNote>* notes)
{
    QStringList usable;
    QHash<QString, QString> folded; // case-folded name -> the name listed
    for (const QString& name : names) {
        const PlotKey key = farm.isEmpty() ? PlotKey{name, {}} : PlotKey{farm, name};
        if (name.contains(QChar::ReplacementCharacter)) {
            notes->append({PlotNote::Kind::UnusableName, key, QStringLiteral("encoding")});
            continue;
        }
        const auto twin = folded.constFind(name.toCaseFolded());
        if (twin != folded.cend()) {
            notes->append({PlotNote::Kind::CaseTwin, key, *twin});
        } else {
            folded.insert(name.toCaseFolded(), name);
            usable.append(name);
        }
    }
    return usable;
}

// The plot files of the selected farms' folders, listed before the database
// is touched. A folder that cannot be listed fails the whole run, so that its
// plots do not silently drop out of the field grid.
OperationError scanFolders(FarmListings& listings, const QStringList& farms,
                           QList<PlotKey>* found, QList<PlotNote>* notes)
{
    QSet<QString> seen; // case-folded
    for (const QString& farm : farms) {
        if (seen.contains(farm.toCaseFolded()))
            continue;
        seen.insert(farm.toCaseFolded());
        const QString folder = listings.folder(farm);
        if (folder.isEmpty())
            continue;
        const QFileInfo info(folder);
        if (!info.isReadable() || !info.isExecutable())
            return {ErrorKind::PermissionDenied, QStringLiteral("cannot list the folder"), folder};
        for (const QString& base :
             usableNames(FarmFolders::plotBaseNames(*listings.listing(farm)), farm, notes))
            found->append({farm, base});
    }
    return OperationError::none();
}

// Colours of new rows cycle per farm from the farm's row count on.
class ColourCounter {
public:
    explicit ColourCounter(const FieldQueries& queries) : m_queries(queries) {}
    qint64 next(const PlotKey& key, const QString& kultur, OperationError* error)
    {
        const QString farm = key.ordner.toCaseFolded();
        auto found = m_next.find(farm);
        if (found == m_next.end())
            found = m_next.insert(farm, m_queries.plotCountOfFarm(key.ordner, error));
        return PlotPalette::colourFor(kultur, found.value()++);
    }

private:
    const FieldQueries& m_queries;
    QHash<QString, int> m_next;
};

// The fill of a row from the plot's geometry; a note when there is none.
PlotFill measuredFill(const PlotKey& key, qint64 farbe, QList<PlotNote>* notes,
                      FarmListings& listings, const PlotMeasurement::ReadAhead& tables)
{
    const FolderListing* farm = listings.listing(key.ordner);
    const PlotMeasurement::Result measured =
        farm ? PlotMeasurement::measureListed(*farm, key.dateiname, &tables)
             : PlotMeasurement::Result();
    if (measured.outcome == PlotMeasurement::Outcome::InDegrees)
        notes->append({PlotNote::Kind::InDegrees, key, {}});
    if (measured.outcome == PlotMeasurement::Outcome::Refused)
        notes->append({PlotNote::Kind::Refused, key, measured.error.detail});
    return {measured.flaecheHa, measured.umfangM, farbe};
}

QString keyOf(const PlotKey& key)
{
    return key.ordner.toCaseFolded() + QLatin1Char('/') + key.dateiname.toCaseFolded();
}
} // namespace

SyncChanges FieldFolderSync::betriebsdatenladen()
{
    SyncChanges changes;
    ProjectDatabase* database = m_state.database;
    if (!database || !database->isOpen()) {
        changes.error = ProjectDatabase::notOpen(m_state.programmpfad);
        return changes;
    }
    const QStringList folders =
        usableNames(FarmFolders::list(m_state.programmpfad), {}, &changes.notes);
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

SyncChanges FieldFolderSync::schlagdatenabgleichen(const QStringList& selectedFarms,
                                                   FarmListings* sharedListings)
{
    std::optional<FarmListings> ownListings;
    if (!sharedListings)
        ownListings.emplace(m_state.programmpfad);
    FarmListings& listings = sharedListings ? *sharedListings : *ownListings;
    SyncChanges changes;
    ProjectDatabase* database = m_state.database;
    if (!database || !database->isOpen()) {
        changes.error = ProjectDatabase::notOpen(m_state.programmpfad);
        return changes;
    }
    QList<PlotKey> plots;
    changes.error = scanFolders(listings, selectedFarms, &plots, &changes.notes);
    if (changes.error.isError())
        return changes;

    FieldQueries queries(*database);
    QHash<QString, QString> untouched; // plot key -> Kultur
    for (const auto& [key, kultur] : queries.untouchedPlots(&changes.error))
        untouched.insert(keyOf(key), kultur);
    if (changes.error.isError())
        return changes;
    ColourCounter colours(queries);
    QList<PlotNote> measureNotes;
    const OperationError cancelled{ErrorKind::InvalidArgument, QStringLiteral("cancelled"), {}};
    changes.error = database->inTransaction([&]() {
        OperationError error = queries.resetDisplayed();
        // The first rows of the farms' plots, read once per farm; the rows
        // found are marked in a few statements at the end.
        QHash<QString, QHash<QString, qint64>> firstRows; // by nocaseKey(ordner)
        const auto rowsOfFarm = [&](const QString& ordner) {
            auto farm = firstRows.find(FieldQueries::nocaseKey(ordner));
            if (farm == firstRows.end())
                farm = firstRows.insert(FieldQueries::nocaseKey(ordner),
                                        queries.firstRowsOfFarm(ordner, &error));
            return farm;
        };
        // The plots without a row, or with one never filled, are measured
        // from their files: those are read first, on all cores.
        QList<PlotMeasurement::PlotFiles> toMeasure;
        for (qsizetype i = 0; !error.isError() && i < plots.size(); ++i) {
            const PlotKey& key = plots.at(i);
            const auto farm = rowsOfFarm(key.ordner);
            const bool hasRow = farm->contains(FieldQueries::nocaseKey(key.dateiname));
            const FolderListing* folder = listings.listing(key.ordner);
            const bool filled = hasRow && (untouched.isEmpty() || !untouched.contains(keyOf(key)));
            if (!filled && folder)
                toMeasure.append(PlotMeasurement::filesListed(*folder, key.dateiname));
        }
        PlotMeasurement::ReadAhead tables;
        if (!error.isError() && !PlotMeasurement::readAhead(toMeasure, &tables, m_progress)) {
            changes.cancelled = true;
            return cancelled;
        }
        QList<qint64> shown;
        shown.reserve(plots.size());
        for (qsizetype i = 0; !error.isError() && i < plots.size(); ++i) {
            constexpr qsizetype progressStep = 64;
            if (m_progress && i % progressStep == 0 && !m_progress(i, plots.size())) {
                changes.cancelled = true;
                return cancelled;
            }
            const PlotKey& key = plots.at(i);
            const auto farm = rowsOfFarm(key.ordner);
            if (error.isError())
                break;
            const QString plotName = FieldQueries::nocaseKey(key.dateiname);
            const auto row = farm->constFind(plotName);
            const int marked = row != farm->cend() ? 1 : 0;
            if (marked > 0 && *row >= 0)
                shown.append(*row);
            const auto kultur =
                untouched.isEmpty() ? untouched.constEnd() : untouched.constFind(keyOf(key));
            if (marked > 0 && kultur == untouched.constEnd()) {
                ++changes.rowsMarked;
                continue;
            }
            const qint64 farbe = colours.next(key, marked > 0 ? kultur.value() : QString(), &error);
            const PlotFill fill = measuredFill(key, farbe, &measureNotes, listings, tables);
            if (error.isError())
                break;
            if (marked > 0) {
                ++changes.rowsMarked;
                error = queries.fillUntouched(key, fill);
            } else {
                error = queries.addDisplayedPlot(key, fill);
                changes.plotsAdded.append(key);
                farm->insert(plotName, -1); // added displayed: a twin key finds it
            }
        }
        return error.isError() ? error : queries.markRowsDisplayed(shown);
    });
    if (changes.cancelled)
        changes.error = OperationError::none();
    if (changes.error.isError() || changes.cancelled) {
        changes.plotsAdded.clear();
        changes.rowsMarked = 0;
    } else {
        changes.notes += measureNotes;
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
