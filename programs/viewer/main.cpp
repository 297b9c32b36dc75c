// sorvan-gis-viewer: the desktop program.
//   --folder DIR        program folder (default: the executable's folder)
//   --settings FILE     keep window positions in FILE instead of the user's store
//   --report-and-quit   load the folder, print what was loaded and end
#include "MainWindow.h"
#include "ProgramRun.h"
#include "Prompter.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvan-GIS-Viewer"));
    QApplication::setApplicationVersion(QStringLiteral(SORVAN_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Field plot viewer"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("Program folder."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Settings file for window positions."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption report(QStringLiteral("report-and-quit"),
                                    QStringLiteral("Load the program folder, report, end."));
    parser.addOptions({folder, settings, report});
    parser.process(app);

    if (parser.isSet(report))
        Prompter::instance().setNonInteractive(true);
    ProgramRun::Options options;
    options.programFolder =
        parser.isSet(folder) ? parser.value(folder) : QCoreApplication::applicationDirPath();
    options.settingsFile = parser.value(settings);
    options.startWindow = !parser.isSet(report);
    ProgramRun run(options);
    if (!run.start())
        return 1;
    if (parser.isSet(report)) {
        QTextStream(stdout) << run.loadReport() << '\n';
        run.mainWindow()->close();
        return 0;
    }
    return app.exec();
}
