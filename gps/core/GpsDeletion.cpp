#include "GpsDeletion.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "MeasurementFiles.h"

namespace GpsDeletion {

OperationError deleteMeasurements(const QString& gpsFolder, const QStringList& measurements)
{
    OperationError first;
    for (const QString& measurement : measurements) {
        const QString base = measurement.trimmed();
        for (const char* extension : MeasurementFiles::extensions) {
            const QString path = FileResolver::resolve(
                gpsFolder, MeasurementFiles::working(base, QLatin1String(extension)));
            if (FileGuard::entryAt(path) == FileGuard::Entry::Missing)
                continue;
            const OperationError error = FileGuard::removeFile(gpsFolder, path);
            if (error.isError() && !first.isError())
                first = error;
        }
    }
    return first;
}

} // namespace GpsDeletion
