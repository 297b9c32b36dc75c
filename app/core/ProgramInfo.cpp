#include "ProgramInfo.h"

#include "ProgramInfoConfig.h"

#include <QStringList>

namespace ProgramInfo {

QString versionText(const QString& fileVersion)
{
    QStringList parts = fileVersion.trimmed().split('.');
    if (parts.size() >= 4)
        parts = {parts.at(0), parts.at(1), parts.at(3)};
    QStringList shown;
    for (int i = 0; i < 3; ++i)
        shown << QString::number(parts.value(i).trimmed().toULongLong());
    return shown.join('.');
}

QString version()
{
    return versionText(QStringLiteral(SORVAN_PROJECT_VERSION));
}

QString programDate()
{
    return QStringLiteral(SORVAN_PROGRAM_DATE);
}

QString supportMailAddress()
{
    return QStringLiteral(SORVAN_SUPPORT_MAIL);
}

QString webAddress()
{
    return QStringLiteral(SORVAN_WEB_ADDRESS);
}

QString supportMailLink(const QString& address, const QString& title, const QString& version,
                        const QString& date)
{
    return QStringLiteral("mailto:") + address +
           QStringLiteral("?subject=Support-Anfrage&body=Programm:%20") + title +
           QStringLiteral("%0D%0AVersion:%20") + version + QStringLiteral("%20vom%20") + date +
           QStringLiteral("%0D%0A%0AAnfrage%20/%20Genaue%20Fehlerbeschreibung:");
}

} // namespace ProgramInfo
