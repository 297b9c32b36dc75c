#include "StagingFolder.h"

#include "FileResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StagingFolder {

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
    if (!QDir().mkpath(folder))
        return {ErrorKind::PathNotFound, QStringLiteral("cannot create folder"), folder};
    OperationError first;
    const QDir dir(folder);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& file : files) {
        if (!QFile::remove(dir.filePath(file)) && !first.isError())
            first = {ErrorKind::PermissionDenied, QStringLiteral("cannot delete"),
                     dir.filePath(file)};
    }
    return first;
}

QList<OperationError> copyShapefile(const QString& sourceFolder, const QString& base,
                                    const QString& folder)
{
    QList<OperationError> problems;
    for (const char* ext : {".SHP", ".SHX", ".DBF"}) {
        const QString name = base.trimmed() + QLatin1String(ext);
        const QString source = FileResolver::resolve(sourceFolder, name);
        if (!QFileInfo(source).isFile())
            continue;
        const QString target = FileResolver::resolve(folder, name);
        QFile::remove(target);
        if (!QFile::copy(source, target))
            problems.append({ErrorKind::PathFileAccess, QStringLiteral("cannot copy"), source});
    }
    return problems;
}

} // namespace StagingFolder
