#include "FarmFolders.h"

#include <QDir>

namespace FarmFolders {

bool isReservedName(const QString& name)
{
    const QString upper = name.toUpper();
    return upper == QLatin1String("TEMP") || upper == QLatin1String("SHAPES") ||
           upper == QLatin1String("TOPOL");
}

QStringList list(const QString& programFolder)
{
    QStringList farms;
    const QStringList entries =
        QDir(programFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries) {
        if (!isReservedName(entry))
            farms.append(entry);
    }
    return farms;
}

bool isPlotFile(const QString& fileName, QString* baseName)
{
    if (fileName.size() < 4 || fileName.right(3).toUpper() != QLatin1String("SHP"))
        return false;
    if (baseName)
        *baseName = fileName.left(fileName.size() - 4);
    return true;
}

QStringList plotBaseNames(const QString& farmFolder)
{
    QStringList names;
    const QStringList entries = QDir(farmFolder).entryList(QDir::Files, QDir::Name);
    for (const QString& entry : entries) {
        QString base;
        if (isPlotFile(entry, &base))
            names.append(base);
    }
    return names;
}

} // namespace FarmFolders
