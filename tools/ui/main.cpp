// sorvan-gis-shpdump [--folder DIR] [FILE.shp]: the shapefile dump window
// Form1 on its own. Lists FILE.shp, or asks for a file. The
// problem lines come from the catalogue texte.mdb of the program folder (the
// executable's folder or DIR) in the language of its SPRACHE.DAT; without a
// catalogue there, from the one built into the program.
#include "EarlyAnswers.h"
#include "LanguageFile.h"
#include "QtOwnTexts.h"
#include "ShapeDumpWindow.h"
#include "TextCatalogue.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QTemporaryDir>

namespace {
const QCommandLineOption folderOption(QStringLiteral("folder"),
                                      QStringLiteral("Program folder (catalogue, language)."),
                                      QStringLiteral("DIR"));

void configure(QCommandLineParser& parser)
{
    QCoreApplication::setApplicationName(QStringLiteral("sorvan-gis-shpdump"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SORVAN_VERSION));
    parser.setApplicationDescription(QStringLiteral("Lists the header, the first polygon and "
                                                    "the first index entry of a shapefile."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(folderOption);
    parser.addPositionalArgument(QStringLiteral("FILE.shp"), QStringLiteral("File to list."));
}
} // namespace

int main(int argc, char** argv)
{
    // Help and version need no display.
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        configure(parser);
        parser.process(app); // answers and ends, unless "-h" was an option's value
    }
    QApplication app(argc, argv);
    QCommandLineParser parser;
    configure(parser);
    parser.process(app);

    const QString folder = parser.isSet(folderOption) ? parser.value(folderOption)
                                                      : QCoreApplication::applicationDirPath();
    TextCatalogue catalogue;
    QTemporaryDir builtIn;
    if (catalogue.open(folder).isError() && builtIn.isValid()) {
        const QString copy = builtIn.filePath(TextCatalogue::fileName());
        if (QFile::copy(QStringLiteral(":/install/") + TextCatalogue::fileName(), copy))
            catalogue.open(builtIn.path());
    }

    // The window, its file dialogs and Qt's own buttons speak the program's language.
    const int sprache = LanguageFile::read(folder).value_or(1);
    QtOwnTexts::follow(sprache);
    ShapeDumpWindow window;
    window.setCatalogue(&catalogue, sprache);
    window.setProgramFolder(folder);
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        window.setFile(files.first());
    window.show();
    window.load();
    return app.exec();
}
