#include "GpsImport.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "GpsTable.h"
#include "MeasurementFiles.h"
#include "ProgramState.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace GpsImport {

namespace {
// The plain files of the source folder, listed once before anything is
// copied; hidden files only when asked for (the scan passes them over, the
// existence checks see them).
QFileInfoList listedFiles(const QString& folder, QDir::Filters hidden = {})
{
    QFileInfoList files;
    if (folder.isEmpty())
        return files;
    for (const QFileInfo& entry :
         QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot | hidden, QDir::Name)) {
        if (entry.isFile())
            files.append(entry);
    }
    return files;
}

// The names of the source folder by case-folded name, kept up to date with
// the copies the import makes, so that thousands of measurements resolve
// their names without listing the folder again for each.
class FolderNames {
public:
    FolderNames(const QString& folder, const QFileInfoList& files) : m_folder(folder)
    {
        for (const QFileInfo& file : files)
            add(file.fileName());
    }
    // The entry named name ignoring case (an exact match wins), else the name
    // as composed.
    QString resolve(const QString& name) const
    {
        if (m_exact.contains(name))
            return m_folder + '/' + name;
        return m_folder + '/' + m_folded.value(name.toCaseFolded(), name);
    }
    bool contains(const QString& name) const
    {
        return m_exact.contains(name) || m_folded.contains(name.toCaseFolded());
    }
    void add(const QString& name)
    {
        m_exact.insert(name);
        const QString folded = name.toCaseFolded();
        if (!m_folded.contains(folded))
            m_folded.insert(folded, name);
    }

private:
    QString m_folder;
    QSet<QString> m_exact;
    QHash<QString, QString> m_folded;
};

// Copies a delivery file over its working name. A working copy that holds
// the same bytes already is left as it is.
OperationError copyToWorkingName(const QString& folder, const QString& source,
                                 const QString& target)
{
    QFile in;
    if (OperationError error = FileGuard::openForReadingIn(in, folder, source); error.isError())
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
    // The delivery file stays: a working copy lost in a power cut is made
    // again by the next import.
    return FileGuard::replaceFile(folder, target, bytes, FileGuard::Durability::Cached);
}

void copyDelivery(const QString& folder, FolderNames& names, const QString& base,
                  QList<OperationError>& problems)
{
    for (const char* extension : MeasurementFiles::extensions) {
        const QString ext = QLatin1String(extension);
        const QString delivery = MeasurementFiles::delivery(base, ext);
        if (!names.contains(delivery))
            continue;
        const QString working = MeasurementFiles::working(base, ext);
        const QString target = names.resolve(working);
        const OperationError error = copyToWorkingName(folder, names.resolve(delivery), target);
        if (error.isError())
            problems.append(error);
        else
            names.add(QFileInfo(target).fileName());
    }
}
} // namespace

// A folder nothing can be written into (a locked card, a read-only mount).
bool isWriteProtected(const QString& folder)
{
    return ::access(QFile::encodeName(folder).constData(), W_OK) != 0 &&
           (errno == EACCES || errno == EPERM || errno == EROFS);
}

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
    const QFileInfoList listed = listedFiles(folder);
    FolderNames names(folder, listedFiles(folder, QDir::Hidden));
    for (const QFileInfo& file : listed) {
        QString base;
        const MeasurementFiles::Kind kind = MeasurementFiles::classify(file.fileName(), &base);
        if (kind == MeasurementFiles::Kind::Other)
            continue;
        found.append({base, datum(file.filePath())});
        if (kind == MeasurementFiles::Kind::Delivery)
            copyDelivery(folder, names, base, result.problems);
    }
    // Without working copies nothing could be listed: the import is refused
    // once for the folder instead of once per copy.
    const bool copyDenied =
        std::any_of(result.problems.cbegin(), result.problems.cend(), [](const OperationError& e) {
            return e.kind == ErrorKind::PermissionDenied;
        });
    if (copyDenied && isWriteProtected(folder)) {
        result.problems.clear();
        result.error = {ErrorKind::PermissionDenied,
                        QStringLiteral("the GPS folder is write-protected: the working copies of "
                                       "the measurements cannot be made"),
                        folder};
        return result;
    }

    // The checks of every row, against the folder as the scan left it.
    const QString emptyTable =
        FileResolver::resolve(state.programmpfad, MeasurementFiles::emptyTable());
    // Copies cut short leave their scratch: working copies a scratch file,
    // copies of the empty table a scratch folder.
    FileGuard::removeStaleScratch(folder, folder);
    QStringList tables;
    for (const GpsRecord& row : std::as_const(found))
        tables << MeasurementFiles::working(row.dateiname, ".DBF");
    FileGuard::removeScratch(folder, folder, tables);
    for (const GpsRecord& row : std::as_const(found)) {
        const QString& base = row.dateiname;
        auto exists = [&](const QString& ext) {
            const QString name = MeasurementFiles::working(base, ext);
            return names.contains(name) || names.contains(name.trimmed());
        };
        if (!exists(QStringLiteral(".SHX")) || !exists(QStringLiteral(".DES")))
            continue;
        const QString table = names.resolve(MeasurementFiles::working(base, ".DBF"));
        if (!exists(QStringLiteral(".DBF")) &&
            FileGuard::entryAt(table) == FileGuard::Entry::Missing &&
            FileGuard::entryAt(emptyTable) != FileGuard::Entry::Missing) {
            const OperationError error = FileGuard::copyNew(folder, emptyTable, table);
            if (error.isError())
                result.problems.append(error);
            else
                names.add(QFileInfo(table).fileName());
        }
        result.rows.append(row);
    }
    result.error = GpsTable::replaceAll(*state.database, result.rows);
    if (result.error.isError())
        result.rows.clear();
    return result;
}

} // namespace GpsImport
