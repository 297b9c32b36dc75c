#include "FarmNameCheck.h"

#include <QDir>

namespace FarmNameCheck {

int check(const QString& programFolder, const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return 1;
    const QStringList folders =
        QDir(programFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& folder : folders) {
        if (folder.toUpper() == QLatin1String("TEMP"))
            continue;
        if (folder.trimmed().toUpper() == trimmed.toUpper())
            return 2;
    }
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool allowed =
            (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == ' ';
        if (!allowed)
            return 3;
    }
    return 0;
}

} // namespace FarmNameCheck
