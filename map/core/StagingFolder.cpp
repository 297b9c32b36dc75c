#include "StagingFolder.h"

#include "FileGuard.h"
#include "FileResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace StagingFolder {

namespace {
// The program folder the staging folder lies in: the checks start there.
QString programFolderOf(const QString& folder)
{
    return QFileInfo(QDir::cleanPath(folder)).absolutePath();
}
} // namespace

QString name()
{
    return QStringLiteral("temp");
}

QString path(const QString& programFolder)
{
    return FileResolver::resolve(programFolder, name());
}

OperationError prepare(const QString& folder)
{
    const OperationError refused = FileGuard::makeFolder(programFolderOf(folder), folder);
    if (refused.isError())
        return refused;
    OperationError first;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString file = dir.filePath(entry);
        if (FileGuard::entryAt(file) == FileGuard::Entry::Folder)
            continue;
        // unlink removes a link itself, never what it points to.
        if (::unlink(QFile::encodeName(file).constData()) != 0 && errno != ENOENT &&
            !first.isError())
            first = {ErrorKind::PermissionDenied, QStringLiteral("cannot delete"), file};
    }
    return first;
}

QList<OperationError> copyShapefile(const QString& sourceFolder, const QString& base,
                                    const QString& folder)
{
    QList<OperationError> problems;
    const OperationError refused = FileGuard::checkFolder(programFolderOf(folder), folder);
    if (refused.isError())
        return {refused};
    for (const char* ext : {".SHP", ".SHX", ".DBF"}) {
        const QString name = base.trimmed() + QLatin1String(ext);
        const QString source = FileResolver::resolve(sourceFolder, name);
        if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
            continue;
        const QString target = FileResolver::resolve(folder, name);
        OperationError error = FileGuard::removeFile(folder, target);
        if (!error.isError())
            error = FileGuard::copyNew(folder, source, target);
        if (error.isError())
            problems.append(error);
    }
    return problems;
}

} // namespace StagingFolder
