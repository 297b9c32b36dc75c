#include "GpsAssignment.h"

#include "DescriptionFile.h"
#include "FarmFolders.h"
#include "FieldQueries.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "MeasurementFiles.h"
#include "PendingChange.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapefileReader.h"

#include <QDir>

#include <algorithm>
#include <array>

namespace GpsAssignment {

namespace {
constexpr std::array<const char*, 3> shapefileExtensions = {".SHP", ".SHX", ".DBF"};

bool hasPlotFile(const QString& farmFolder, const QString& base)
{
    for (const char* extension : shapefileExtensions) {
        if (FileResolver::dateiexistiert(farmFolder, base + QLatin1String(extension)))
            return true;
    }
    return false;
}

const QString pendingAssignment = QStringLiteral("assign");

// Copies the measurement and adds its row in one step; on failure nothing of
// it remains: the row is rolled back and the files this call created go.
// Finishing an assignment cut short (finishing), the copies it made already
// and its row, when committed, are kept.
OperationError assignOne(ProgramState& state, const QString& farm, const QString& farmFolder,
                         const QString& measurement, bool finishing = false)
{
    const QString base = measurement.trimmed();
    QStringList sources;
    for (const char* extension : shapefileExtensions) {
        const QString source = FileResolver::resolve(
            state.gpspfad, MeasurementFiles::working(base, QLatin1String(extension)));
        if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
            return {ErrorKind::FileNotFound, QStringLiteral("file not found"), source};
        sources.append(source);
    }
    // A shapefile the map cannot draw (a delivery cut short, a coordinate
    // that is no number) never becomes a plot.
    if (!finishing) {
        if (const ShapefileReader::Result read = ShapefileReader::read(sources.at(0), sources.at(1));
            read.error.isError())
            return read.error;
    }
    const DescriptionFile::Read description = DescriptionFile::read(
        FileResolver::resolve(state.gpspfad, MeasurementFiles::working(base, ".DES")));
    if (description.error.isError())
        return description.error;

    PlotRecord plot;
    plot.dateiname = measurement;
    plot.name = measurement;
    plot.ordner = farm;
    plot.anzeigen = 0;
    plot.flaeche = description.values.area.value_or(0);
    plot.umfang = description.values.perimeter.value_or(0);
    plot.maxDop = description.values.maxDop.value_or(0);

    bool listed = false;
    if (finishing) {
        OperationError error;
        listed = FieldQueries(*state.database).plotExists({farm, measurement}, &error);
        if (error.isError())
            return error;
    }
    QStringList created;
    // A copy that cannot be removed again keeps the record: the next start
    // finishes the assignment with it.
    bool leftOver = false;
    auto removeCreated = [&] {
        for (const QString& file : std::as_const(created))
            leftOver = FileGuard::removeFile(state.programmpfad, file).isError() || leftOver;
        created.clear();
    };
    if (OperationError error =
            PendingChange::record(state.programmpfad, {pendingAssignment, {{farm, measurement}}});
        error.isError())
        return error;
    const OperationError error = state.database->inTransaction([&]() -> OperationError {
        if (listed)
            return OperationError::none();
        if (OperationError failed = state.database->addPlot(plot); failed.isError())
            return failed;
        for (qsizetype i = 0; i < sources.size(); ++i) {
            const QString target = farmFolder + '/' + base + QLatin1String(shapefileExtensions[i]);
            if (finishing && FileGuard::entryAt(target) == FileGuard::Entry::File)
                continue;
            const OperationError failed =
                FileGuard::copyNew(state.programmpfad, sources.at(i), target);
            if (failed.isError()) {
                removeCreated();
                return failed;
            }
            created.append(target);
        }
        return OperationError::none();
    });
    if (error.isError())
        removeCreated(); // the commit was refused after the copies
    if (!leftOver && !(finishing && error.isError()))
        PendingChange::clear(state.programmpfad);
    return error;
}
} // namespace

Outcome assign(ProgramState& state, const QString& farm, const QStringList& measurements)
{
    Outcome outcome;
    auto fail = [&](const QString& measurement, const OperationError& error) {
        outcome.failed = measurement;
        outcome.error = error;
        return outcome;
    };
    if (!state.database)
        return fail(measurements.value(0), ProjectDatabase::notOpen(state.programmpfad));
    const QString farmFolder = FarmFolders::farmFolder(state.programmpfad, farm);
    if (farmFolder.isEmpty())
        return fail(measurements.value(0),
                    {ErrorKind::PathNotFound, QStringLiteral("no such farm folder"),
                     state.programmpfad + '/' + farm.trimmed()});
    const FieldQueries queries(*state.database);
    for (const QString& measurement : measurements) {
        OperationError error;
        const bool listed = queries.plotExists({farm, measurement}, &error);
        if (error.isError())
            return fail(measurement, error);
        if (listed || hasPlotFile(farmFolder, measurement.trimmed())) {
            outcome.alreadyPlots.append(measurement);
            continue;
        }
        error = assignOne(state, farm, farmFolder, measurement);
        if (error.isError())
            return fail(measurement, error);
        outcome.assigned.append(measurement);
    }
    return outcome;
}

bool isPending(const PendingChange::Change& change)
{
    return change.operation == pendingAssignment;
}

OperationError finishPending(ProgramState& state, const PendingChange::Change& change)
{
    const QString farm = change.rows.value(0).value(0);
    const QString farmFolder = FarmFolders::farmFolder(state.programmpfad, farm);
    if (farmFolder.isEmpty()) // the farm was deleted since
        return PendingChange::clear(state.programmpfad);
    const QString measurement = change.rows.value(0).value(1);
    // A copy cut short leaves its scratch folder in the farm folder.
    const QString base = measurement.trimmed();
    QStringList plotFiles;
    for (const char* extension : shapefileExtensions)
        plotFiles << base + QLatin1String(extension);
    FileGuard::removeScratch(state.programmpfad, farmFolder, plotFiles);
    return assignOne(state, farm, farmFolder, measurement, true);
}

} // namespace GpsAssignment
