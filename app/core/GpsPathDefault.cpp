#include "GpsPathDefault.h"

#include "FileResolver.h"

#include <QDir>
#include <QFileInfo>

namespace GpsPathDefault {

QString handheldFolder()
{
    return FileResolver::resolvePath(QDir::homePath(), QStringLiteral("palm/dolvenar"));
}

namespace {
bool holdsShapefile(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return false;
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.shp")}, QDir::Files | QDir::Hidden);
    return !files.isEmpty();
}
} // namespace

QString defaultGpsPath(const QString& programFolder, const QString& handheld)
{
    const QString shapes = FileResolver::resolve(programFolder, QStringLiteral("shapes"));
    if (holdsShapefile(shapes))
        return shapes;

    const QStringList subFolders = QDir(handheld).entryList(
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : subFolders) {
        const QString candidate = handheld + '/' + entry;
        if (QFileInfo(candidate).isDir())
            return candidate;
    }
    return programFolder;
}

} // namespace GpsPathDefault
