#include "SystemReport.h"

#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>

namespace SystemReport {

namespace {
QString screens()
{
    QStringList lines;
    const QList<QScreen*> all = QGuiApplication::screens();
    for (const QScreen* screen : all) {
        const QSize size = screen->size();
        const QSize pixels = size * screen->devicePixelRatio();
        lines << QStringLiteral("%1: %2 × %3 px, %4 dpi")
                     .arg(screen->name().isEmpty() ? QStringLiteral("-") : screen->name())
                     .arg(pixels.width())
                     .arg(pixels.height())
                     .arg(qRound(screen->logicalDotsPerInch()));
    }
    return lines.isEmpty() ? QStringLiteral("-") : lines.join('\n');
}

QString path(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("-") : QDir::toNativeSeparators(value);
}
} // namespace

QStringList names()
{
    return {QStringLiteral("betriebssystem"), QStringLiteral("kernel"),
            QStringLiteral("qtversion"),      QStringLiteral("bildschirme"),
            QStringLiteral("gebietsschema"),  QStringLiteral("programmordner"),
            QStringLiteral("datenbank"),      QStringLiteral("textkatalog")};
}

QList<Item> collect(const Paths& paths)
{
    const QLocale locale;
    const QString qt = QStringLiteral("%1 (%2)").arg(QString::fromLatin1(qVersion()),
                                                     QGuiApplication::platformName());
    const QStringList values = {
        QSysInfo::prettyProductName() + QStringLiteral(", ") + QSysInfo::currentCpuArchitecture(),
        QSysInfo::kernelType() + ' ' + QSysInfo::kernelVersion(),
        qt,
        screens(),
        locale.nativeLanguageName().isEmpty()
            ? locale.name()
            : QStringLiteral("%1 (%2)").arg(locale.name(), locale.nativeLanguageName()),
        path(paths.programFolder),
        path(paths.database),
        path(paths.catalogue)};
    QList<Item> items;
    const QStringList keys = names();
    for (int i = 0; i < keys.size(); ++i)
        items.append({keys.at(i), values.at(i)});
    return items;
}

} // namespace SystemReport
