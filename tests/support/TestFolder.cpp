#include "TestFolder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

TestFolder::TestFolder() = default;

QString TestFolder::makeFolder(const QString& relative) const
{
    QDir().mkpath(file(relative));
    return file(relative);
}

QString TestFolder::writeFile(const QString& relative, const QByteArray& content) const
{
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(content);
    return path;
}

QByteArray TestFolder::readFile(const QString& relative) const
{
    QFile in(file(relative));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QStringList folderSnapshot(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        const QByteArray hash =
            info.isFile() && file.open(QIODevice::ReadOnly)
                ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()
                : QByteArray();
        lines << QDir(folder).relativeFilePath(info.filePath()) + ' ' + hash + ' ' +
                     info.lastModified().toString(Qt::ISODateWithMs);
    }
    lines.sort();
    return lines;
}
