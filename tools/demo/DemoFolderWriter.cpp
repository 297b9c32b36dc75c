#include "DemoFolderWriter.h"

#include "AttributeTableWriter.h"
#include "DescriptionFileWriter.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "PolygonShapefileWriter.h"
#include "ProjectDatabase.h"

#include <QFile>

namespace DemoFolderWriter {

namespace {
// Fixed times keep the folder the same from run to run; the GPS import reads
// a measurement's date from its file time.
OperationError setLastModified(const QString& folder, const QStringList& fileNames,
                               const QDateTime& when)
{
    for (const QString& name : fileNames) {
        QFile file(FileResolver::resolve(folder, name));
        if (!file.open(QIODevice::ReadOnly) ||
            !file.setFileTime(when, QFileDevice::FileModificationTime))
            return {ErrorKind::PathFileAccess, file.errorString(), file.fileName()};
    }
    return OperationError::none();
}

OperationError writePlot(const DemoPlot& plot, const QString& farmFolder, const QDateTime& time)
{
    const PlotRecord& r = plot.record;
    OperationError error = PolygonShapefileWriter::write(farmFolder, r.dateiname, plot.ring);
    if (!error.isError())
        error = AttributeTableWriter::write(farmFolder, r.dateiname,
                                            {{"ID", r.nummer}, {"NAME", r.name}}, time.date());
    if (!error.isError())
        error = setLastModified(farmFolder,
                                {r.dateiname + QStringLiteral(".SHP"),
                                 r.dateiname + QStringLiteral(".SHX"),
                                 r.dateiname + QStringLiteral(".DBF")},
                                time);
    return error;
}

OperationError writeMeasurement(const DemoMeasurement& m, int number, const QString& shapes)
{
    OperationError error = PolygonShapefileWriter::write(shapes, m.shapeBaseName(), m.ring);
    if (!error.isError() && m.hasAttributeTable)
        error = AttributeTableWriter::write(
            shapes, m.shapeBaseName(),
            {{"ID", number},
             {"NAME", m.baseName},
             {"DATUM", m.measuredAt.date().toString(QStringLiteral("yyyyMMdd"))}},
            m.measuredAt.date());
    if (!error.isError()) {
        DescriptionFileWriter::Description description;
        description.title = m.title;
        description.areaHa = m.areaHa;
        description.perimeterMetres = m.perimeterMetres;
        description.maxDop = m.maxDop;
        description.pointCount = int(m.ring.size()) - 1;
        error = DescriptionFileWriter::write(shapes, m.descriptionFileName(), description);
    }
    if (!error.isError())
        error = setLastModified(shapes, m.fileNames(), m.measuredAt);
    return error;
}

OperationError writeRows(const DemoPlan& plan, const QString& programFolder)
{
    ProjectDatabase database;
    OperationError error = database.open(programFolder);
    if (error.isError())
        return error;
    return database.inTransaction([&]() {
        for (const DemoFarm& farm : plan.farms) {
            OperationError failure = database.addFarm(farm.name);
            for (qsizetype i = 0; !failure.isError() && i < farm.plots.size(); ++i)
                failure = database.addPlot(farm.plots.at(i).record);
            if (failure.isError())
                return failure;
        }
        return OperationError::none();
    });
}
} // namespace

OperationError write(const DemoPlan& plan, const QString& programFolder)
{
    for (const DemoFarm& farm : plan.farms) {
        const QString farmFolder = FileResolver::resolve(programFolder, farm.name);
        OperationError error = FileGuard::makeFolder(programFolder, farmFolder);
        for (qsizetype i = 0; !error.isError() && i < farm.plots.size(); ++i)
            error = writePlot(farm.plots.at(i), farmFolder, plan.plotFileTime);
        if (error.isError())
            return error;
    }

    const QString shapes = FileResolver::resolve(programFolder, QStringLiteral("shapes"));
    OperationError error = FileGuard::makeFolder(programFolder, shapes);
    for (qsizetype i = 0; !error.isError() && i < plan.measurements.size(); ++i)
        error = writeMeasurement(plan.measurements.at(i), int(i) + 1, shapes);
    if (error.isError())
        return error;

    return writeRows(plan, programFolder);
}

} // namespace DemoFolderWriter
