#include "FarmFolders.h"

#include "FileResolver.h"
#include "FolderListing.h"

#include <QDir>
#include <QFileInfo>

namespace FarmFolders {

namespace {
// True when path is a directory that lies, once links are followed, below
// the program folder.
bool isFolderInside(const QString& canonicalProgramFolder, const QString& path)
{
    const QFileInfo info(path);
    if (canonicalProgramFolder.isEmpty() || !info.isDir())
        return false;
    if (!info.isSymLink())
        return true;
    const QString target = info.canonicalFilePath();
    return !target.isEmpty() && target.startsWith(canonicalProgramFolder + '/');
}
} // namespace

bool isReservedName(const QString& name)
{
    const QString upper = name.toUpper();
    return upper == QLatin1String("TEMP") || upper == QLatin1String("SHAPES") ||
           upper == QLatin1String("TOPOL");
}

QStringList list(const QString& programFolder)
{
    QStringList farms;
    const QDir dir(programFolder);
    const QString inside = dir.canonicalPath();
    const QStringList entries = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (!isReservedName(entry) && isFolderInside(inside, dir.filePath(entry)))
            farms.append(entry);
    }
    return farms;
}

QString farmFolder(const QString& programFolder, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || isReservedName(trimmed) || trimmed.contains('/') ||
        trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return {};
    // The name as it is first (a folder may begin or end with a blank), then
    // trimmed, as names typed or brought over may carry blanks the folder has not.
    const QString inside = QDir(programFolder).canonicalPath();
    for (const QString& candidate : {name, trimmed}) {
        const QString path = FileResolver::resolve(programFolder, candidate);
        if (isFolderInside(inside, path))
            return path;
    }
    return {};
}

QString plotFile(const QString& farmFolder, const QString& dateiname, const QString& extension)
{
    const QString exact = FileResolver::resolve(farmFolder, dateiname + extension);
    if (dateiname == dateiname.trimmed() || QFileInfo::exists(exact))
        return exact;
    return FileResolver::resolve(farmFolder, dateiname.trimmed() + extension);
}

bool isPlotFile(const QString& fileName, QString* baseName)
{
    if (fileName.size() < 5 || !fileName.endsWith(QLatin1String(".SHP"), Qt::CaseInsensitive))
        return false;
    if (baseName)
        *baseName = fileName.left(fileName.size() - 4);
    return true;
}

QStringList plotBaseNames(const QString& farmFolder)
{
    return plotBaseNames(FolderListing(farmFolder));
}

QStringList plotBaseNames(const FolderListing& farmFolder)
{
    // Hidden files are passed over as a folder listing does.
    QStringList bases;
    for (const QString& name : farmFolder.files()) {
        QString base;
        if (!name.startsWith(QLatin1Char('.')) && isPlotFile(name, &base) &&
            !farmFolder.isLink(name))
            bases.append(base);
    }
    return bases;
}

} // namespace FarmFolders
