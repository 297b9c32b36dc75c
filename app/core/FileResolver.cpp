#include "FileResolver.h"

#include <QDir>
#include <QFileInfo>

namespace FileResolver {

namespace {
QString findEntry(const QString& folder, const QString& name, bool trimmed)
{
    const QString wanted = trimmed ? name.trimmed() : name;
    if (wanted.isEmpty() && !trimmed)
        return {};
    if (!trimmed && QFileInfo::exists(folder + '/' + wanted))
        return wanted;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString candidate = trimmed ? entry.trimmed() : entry;
        if (candidate.compare(wanted, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}
} // namespace

QString resolve(const QString& folder, const QString& name)
{
    const QString found = findEntry(folder, name, false);
    return folder + '/' + (found.isEmpty() ? name : found);
}

QString resolvePath(const QString& folder, const QString& relativePath)
{
    QString current = folder;
    const QStringList parts = relativePath.split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts)
        current = resolve(current, part);
    return current;
}

bool dateiexistiert(const QString& folder, const QString& name)
{
    return !findEntry(folder, name, true).isNull();
}

} // namespace FileResolver
