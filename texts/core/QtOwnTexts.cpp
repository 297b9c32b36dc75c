#include "QtOwnTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtOwnTexts {

bool follow(int sprache)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return false;
    // The translator lives with the application, found again by its name.
    const QString name = QStringLiteral("qtOwnTexts");
    auto* translator = application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
    if (!translator) {
        translator = new QTranslator(application);
        translator->setObjectName(name);
    }
    static const char* const codes[] = {"de", "en", "fr", "it", "hu"};
    const QString code = QLatin1String(codes[sprache >= 1 && sprache <= 5 ? sprache - 1 : 0]);
    QCoreApplication::removeTranslator(translator);
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace QtOwnTexts
