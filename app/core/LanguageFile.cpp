#include "LanguageFile.h"

#include "FileResolver.h"

#include <QFile>
#include <QSaveFile>

namespace LanguageFile {

std::optional<int> read(const QString& programFolder)
{
    if (!FileResolver::dateiexistiert(programFolder, fileName()))
        return std::nullopt;
    QFile file(FileResolver::resolve(programFolder, fileName()));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString firstLine = QString::fromLatin1(file.readLine(64));
    QString item = firstLine.section(',', 0, 0).trimmed();
    if (item.startsWith('"'))
        item = item.mid(1);
    if (item.isEmpty() || !item.at(0).isDigit())
        return 0;
    return item.at(0).digitValue();
}

bool write(const QString& programFolder, int sprache)
{
    QSaveFile file(FileResolver::resolve(programFolder, fileName()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(QByteArray::number(sprache) + "\r\n");
    return file.commit();
}

} // namespace LanguageFile
