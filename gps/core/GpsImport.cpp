#include "GpsImport.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "FolderListing.h"
#include "GpsTable.h"
#include "MeasurementFiles.h"
#include "ProgramState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace GpsImport {

namespace {
// The plain files of the source folder, listed once before anything is copied.
QFileInfoList listedFiles(const QString& folder)
{
    QFileInfoList files;
    if (folder.isEmpty())
        return files;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.isFile())
            files.append(entry);
    }
    return files;
}

// Copies a delivery file over its working name. A working copy that holds
// the same bytes already is left as it is.
OperationError copyToWorkingName(const QString& folder, const QString& source,
                                 const QString& target)
{
    QFile in;
    if (OperationError error = FileGuard::openForReading(in, source); error.isError())
        return error;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return {ErrorKind::PathFileAccess, in.errorString(), source};
    if (FileGuard::entryAt(target) == FileGuard::Entry::File) {
        QFile existing;
        if (!FileGuard::openForReading(existing, target).isError() &&
            existing.size() == bytes.size() && existing.readAll() == bytes)
            return OperationError::none();
    }
    return FileGuard::replaceFile(folder, target, bytes);
}

void copyDelivery(const QString& folder, const QString& base, QList<OperationError>& problems)
{
    for (const char* extension : MeasurementFiles::extensions) {
        const QString ext = QLatin1String(extension);
        const QString source = FileResolver::resolve(folder, MeasurementFiles::delivery(base, ext));
        if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
            continue;
        const QString target = FileResolver::resolve(folder, MeasurementFiles::working(base, ext));
        const OperationError error = copyToWorkingName(folder, source, target);
        if (error.isError())
            problems.append(error);
    }
}
} // namespace

QString datum(const QString& path)
{
    return QFileInfo(path).lastModified().date().toString(QStringLiteral("yyyyMMdd"));
}

Result gpsdateneinlesen(ProgramState& state)
{
    Result result;
    if (!state.database) {
        result.error = ProjectDatabase::notOpen(state.programmpfad);
        return result;
    }
    const QString folder = state.gpspfad;
    QList<GpsRecord> found;
    for (const QFileInfo& file : listedFiles(folder)) {
        QString base;
        const MeasurementFiles::Kind kind = MeasurementFiles::classify(file.fileName(), &base);
        if (kind == MeasurementFiles::Kind::Other)
            continue;
        found.append({base, datum(file.filePath())});
        if (kind == MeasurementFiles::Kind::Delivery)
            copyDelivery(folder, base, result.problems);
    }

    // The folder as the scan left it, for the checks of every row.
    const FolderListing listing(folder);
    const QString emptyTable =
        FileResolver::resolve(state.programmpfad, MeasurementFiles::emptyTable());
    for (const GpsRecord& row : std::as_const(found)) {
        const QString& base = row.dateiname;
        auto exists = [&](const QString& ext) {
            const QString name = MeasurementFiles::working(base, ext);
            return !listing.find(name).isEmpty() || !listing.find(name.trimmed()).isEmpty();
        };
        if (!exists(QStringLiteral(".SHX")) || !exists(QStringLiteral(".DES")))
            continue;
        const QString table = FileResolver::resolve(folder, MeasurementFiles::working(base, ".DBF"));
        if (!exists(QStringLiteral(".DBF")) &&
            FileGuard::entryAt(table) == FileGuard::Entry::Missing &&
            FileGuard::entryAt(emptyTable) != FileGuard::Entry::Missing) {
            const OperationError error = FileGuard::copyNew(folder, emptyTable, table);
            if (error.isError())
                result.problems.append(error);
        }
        result.rows.append(row);
    }
    result.error = GpsTable::replaceAll(*state.database, result.rows);
    if (result.error.isError())
        result.rows.clear();
    return result;
}

} // namespace GpsImport
