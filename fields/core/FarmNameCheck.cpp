#include "FarmNameCheck.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace FarmNameCheck {

namespace {
bool refusedCharacter(QChar c)
{
    if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
        return true;
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

bool isEdge(QChar c)
{
    return c.isSpace() || c == QLatin1Char('.');
}
} // namespace

QString folderName(const QString& name)
{
    return name.normalized(QString::NormalizationForm_C);
}

int maxNameBytes(const QString& programFolder)
{
    const long max = ::pathconf(QFile::encodeName(programFolder).constData(), _PC_NAME_MAX);
    return max > 0 ? int(max) : 255;
}

int check(const QString& programFolder, const QString& typed)
{
    const QString name = folderName(typed);
    if (name.trimmed().isEmpty())
        return Empty;
    for (const QChar c : name) {
        if (refusedCharacter(c))
            return Characters;
    }
    if (isEdge(name.front()) || isEdge(name.back()))
        return Edge;
    for (const char* reserved : {"temp", "shapes", "topol"}) {
        if (name.compare(QLatin1String(reserved), Qt::CaseInsensitive) == 0)
            return Reserved;
    }
    if (QFile::encodeName(name).size() > maxNameBytes(programFolder))
        return TooLong;
    const QStringList folders =
        QDir(programFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        if (folderName(folder).compare(name, Qt::CaseInsensitive) == 0)
            return Exists;
    }
    return Accepted;
}

} // namespace FarmNameCheck
