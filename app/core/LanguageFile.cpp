#include "LanguageFile.h"

#include "FileGuard.h"
#include "FileResolver.h"

#include <QFile>

namespace LanguageFile {

std::optional<int> read(const QString& programFolder, OperationError* error)
{
    // Tried by name rather than looked for in a listing: a folder that may
    // be entered but not listed still gives its language.
    QFile file;
    const OperationError opened = FileGuard::openForReadingIn(
        file, programFolder, FileResolver::resolve(programFolder, fileName()));
    if (opened.isError()) {
        if (error && opened.kind != ErrorKind::FileNotFound)
            *error = opened;
        return std::nullopt;
    }
    const QString firstLine = QString::fromLatin1(file.readLine(64));
    QString item = firstLine.section(',', 0, 0).trimmed();
    if (item.startsWith('"'))
        item = item.mid(1);
    if (item.isEmpty() || !item.at(0).isDigit())
        return 0;
    return item.at(0).digitValue();
}

bool write(const QString& programFolder, int sprache, OperationError* error)
{
    const OperationError written =
        FileGuard::replaceFile(programFolder, FileResolver::resolve(programFolder, fileName()),
                               QByteArray::number(sprache) + "\r\n");
    if (error)
        *error = written;
    return !written.isError();
}

} // namespace LanguageFile
