#include "TestFolder.h"

#include <QDir>
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
