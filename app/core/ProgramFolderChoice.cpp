#include "ProgramFolderChoice.h"

#include <QDir>
#include <QFileInfo>

namespace ProgramFolderChoice {

QString sharedFolder()
{
    return QStringLiteral("share/sorvan-gis-viewer");
}

bool isInstalled(const QString& executableFolder)
{
    const QDir bin(QFileInfo(executableFolder).canonicalFilePath());
    if (bin.path().isEmpty() || bin.dirName() != QLatin1String("bin"))
        return false;
    return QFileInfo(bin.filePath(QStringLiteral("../") + sharedFolder())).isDir();
}

QString defaultFolder(const QString& executableFolder, const QString& userDataFolder)
{
    return isInstalled(executableFolder) ? userDataFolder : executableFolder;
}

} // namespace ProgramFolderChoice
