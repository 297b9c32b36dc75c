// sorvan-gis: command-line tools over the viewer's logic. Each command
// declares its arguments once (CliCommands); `sorvan-gis --help` and
// `sorvan-gis COMMAND --help` are made from those declarations.
#include "CliCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>

int main(int argc, char** argv)
{
    // Printing lays out text and needs the fonts of a GUI application; it
    // runs on the offscreen platform when no other is asked for.
    QStringList words;
    for (int i = 2; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    bool draws = false;
    for (const CliCommand& command : cliCommands())
        draws = draws || (command.name == QString::fromLocal8Bit(argc > 1 ? argv[1] : "") &&
                          command.drawsWith(words));
    if (draws && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application(draws ? new QGuiApplication(argc, argv)
                                                              : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("sorvan-gis"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SORVAN_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        err << programUsage();
        return 2;
    }
    // The program's own options come before any command.
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version(QStringLiteral("version"), {});
    parser.addOptions({help, version});
    if (parser.parse({QCoreApplication::applicationFilePath(), args.first()})) {
        if (parser.isSet(help)) {
            out << programUsage();
            return 0;
        }
        if (parser.isSet(version)) {
            out << QCoreApplication::applicationName() << ' '
                << QCoreApplication::applicationVersion() << '\n';
            return 0;
        }
    }
    return runCommand(args.first(), args.mid(1), out, err);
}
