// sorvan-gis-viewer: the desktop program.
//   --folder DIR        program folder (default: the folder of the program
//                       file, or the user's data folder for an installed
//                       program); missing installation files are created there
//   --settings FILE     keep window positions in FILE instead of the user's store
//   --report-and-quit   load the folder, print what was loaded and end
//   --help, --version   answered without a display
#include "EarlyAnswers.h"
#include "MainWindow.h"
#include "ProgramFolderChoice.h"
#include "ProgramFolderSetup.h"
#include "ProgramRun.h"
#include "Prompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QStandardPaths>
#include <QTextStream>

namespace {
struct Options {
    QCommandLineOption folder{
        QStringLiteral("folder"),
        QStringLiteral("Program folder (default: the folder of the program "
                       "file; for an installed program the user's data folder). Missing "
                       "installation files (%1, the help pages) are created "
                       "there.")
            .arg(ProgramFolderSetup::suppliedFiles().join(QStringLiteral(", "))),
        QStringLiteral("DIR")};
    QCommandLineOption settings{QStringLiteral("settings"),
                                QStringLiteral("Settings file for window positions (default: the "
                                               "user's own settings)."),
                                QStringLiteral("FILE")};
    QCommandLineOption report{QStringLiteral("report-and-quit"),
                              QStringLiteral("Load the program folder, report, end.")};
};

void configure(QCommandLineParser& parser, const Options& options)
{
    QCoreApplication::setApplicationName(QStringLiteral("Sorvan-GIS-Viewer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SORVAN_VERSION));
    parser.setApplicationDescription(QStringLiteral("Field plot viewer"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({options.folder, options.settings, options.report});
}
} // namespace

int main(int argc, char** argv)
{
    const Options options;
    // Help and version need no display.
    if (asksForHelpOrVersion(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCommandLineParser parser;
        configure(parser, options);
        parser.process(app); // answers and ends, unless "-h" was an option's value
    }
    QApplication app(argc, argv);
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sorvan-gis-viewer.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("sorvan-gis-viewer"));
    QCommandLineParser parser;
    configure(parser, options);
    parser.process(app);

    if (parser.isSet(options.report))
        Prompter::instance().setNonInteractive(true);
    ProgramRun::Options runOptions;
    runOptions.programFolder =
        parser.isSet(options.folder)
            ? parser.value(options.folder)
            : ProgramFolderChoice::defaultFolder(
                  QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    runOptions.settingsFile = parser.value(options.settings);
    runOptions.startWindow = !parser.isSet(options.report);
    ProgramRun run(runOptions);
    if (!run.start())
        return 1;
    if (parser.isSet(options.report)) {
        QTextStream(stdout) << run.loadReport() << '\n';
        run.mainWindow()->close();
        return 0;
    }
    return app.exec();
}
