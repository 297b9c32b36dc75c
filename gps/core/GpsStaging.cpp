#include "GpsStaging.h"

#include "DescriptionFile.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "MeasurementFiles.h"
#include "StagingFolder.h"

#include <QSet>

namespace GpsStaging {

Staged stage(const QString& programFolder, const QString& gpsFolder,
             const QStringList& measurements)
{
    Staged staged;
    const QString staging = StagingFolder::path(programFolder);
    staged.error = StagingFolder::prepare(staging);
    if (staged.error.isError())
        return staged;
    QSet<QString> tables;
    for (const QString& base : measurements) {
        for (const char* extension : MeasurementFiles::extensions) {
            const QString ext = QLatin1String(extension);
            const QString source =
                FileResolver::resolve(gpsFolder, MeasurementFiles::working(base, ext));
            if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
                continue;
            const QString target = staging + '/' + base + ext;
            const OperationError error = StagingFolder::stageFile(programFolder, source, target);
            if (error.isError())
                staged.problems.append(error);
            else if (ext == QLatin1String(".SHP"))
                tables.insert(base);
        }
        const QString description = staging + '/' + base + QStringLiteral(".DES");
        if (FileGuard::entryAt(description) == FileGuard::Entry::Missing)
            continue;
        const DescriptionFile::Read read = DescriptionFile::read(description);
        if (read.error.isError()) {
            // The message names the measurement's own file, not the copy.
            OperationError problem = read.error;
            problem.where = FileResolver::resolve(gpsFolder, MeasurementFiles::working(base, ".DES"));
            staged.problems.append(problem);
        } else if (read.values.area) {
            staged.areaHa += *read.values.area;
        }
    }
    staged.tables = int(tables.size());
    staged.colours = QList<qint64>(staged.tables, blue);
    return staged;
}

} // namespace GpsStaging
