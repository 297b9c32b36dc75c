#include "FuzzInput.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

FuzzFolder::FuzzFolder() : m_folder(QDir::tempPath() + QStringLiteral("/sorvan-fuzz-XXXXXX"))
{
    if (!m_folder.isValid())
        std::abort();
}

QString FuzzFolder::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        std::abort();
    return path;
}

QList<QByteArray> splitInput(const uint8_t* data, size_t size, int parts)
{
    QList<QByteArray> result;
    size_t at = 0;
    for (int i = 0; i + 1 < parts; ++i) {
        size_t length = 0;
        for (int b = 0; b < 4 && at < size; ++b, ++at)
            length |= size_t(data[at]) << (8 * b);
        length = std::min(length, size - at);
        result.append(QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(length)));
        at += length;
    }
    result.append(QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(size - at)));
    return result;
}
