// The programs' command lines as a user meets them: help, version, wrong
// commands, and answers that need no display.
#include "CliCommands.h"
#include "CliRun.h"
#include "TestFolder.h"
#include "WaitCursor.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

namespace {
// Runs a program without a display (a GUI platform that cannot start makes
// the program fail).
CliRun run(const QString& program, const QStringList& args)
{
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");
    const CliRun result = runCli(program, args);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return result;
}

const QString version = QStringLiteral(SORVAN_VERSION);
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void wrongArguments_data();
    void wrongArguments();
    void reportOnANewProgramFolder();
    void noWaitPointerWithoutGuiApplication();
};

void TestCommandLine::answers_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // start of standard output for 0, else of standard error
    const QString cli = SORVAN_CLI, viewer = SORVAN_VIEWER, dump = SORVAN_SHPDUMP;
    QTest::newRow("cli --help") << cli << QStringList{"--help"} << 0 << "usage: sorvan-gis";
    QTest::newRow("cli command --help")
        << cli << QStringList{"print", "--help"} << 0
        << "usage: sorvan-gis print --folder DIR --out FILE.pdf [--farm NAME]...";
    QTest::newRow("cli --version")
        << cli << QStringList{"--version"} << 0 << "sorvan-gis " + version + "\n";
    QTest::newRow("cli unknown command")
        << cli << QStringList{"x"} << 2 << "sorvan-gis: unknown command 'x'\nusage: sorvan-gis";
    QTest::newRow("cli without command") << cli << QStringList{} << 2 << "usage: sorvan-gis";
    QTest::newRow("viewer --help") << viewer << QStringList{"--help"} << 0 << "Usage: ";
    QTest::newRow("viewer --version")
        << viewer << QStringList{"--version"} << 0 << "Sorvan-GIS-Viewer " + version + "\n";
    QTest::newRow("dump window --help") << dump << QStringList{"-h"} << 0 << "Usage: ";
    QTest::newRow("dump window --version")
        << dump << QStringList{"--version"} << 0 << "sorvan-gis-shpdump " + version + "\n";
}

void TestCommandLine::answers()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    const CliRun result = run(program, args);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? result.out : result.err).startsWith(said),
             qPrintable(result.out + result.err));
    QCOMPARE(exitCode == 0 ? result.err : result.out, QString());
}

// Arguments a command refuses: the reason, the command's usage and exit code
// 2, nothing written. "DIR" stands for a folder that does not exist.
void TestCommandLine::wrongArguments_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("reason");
    const QString scale = "the scale must be a whole number from 1 to 9999999: ";
    QTest::newRow("no folder") << "farms" << QStringList{} << "no program folder given";
    QTest::newRow("no value") << "plots" << QStringList{"--folder"} << "no value for --folder";
    QTest::newRow("blank value") << "export" << QStringList{"--folder", " ", "--out", "x.gpkg"}
                                 << "no value for --folder";
    QTest::newRow("option of another command")
        << "farms" << QStringList{"--folder", "DIR", "--farm", "A"}
        << "unexpected argument: --farm";
    QTest::newRow("no measurement")
        << "assign" << QStringList{"--folder", "DIR", "--source", "S", "--farm", "F"}
        << "no measurement given";
    QTest::newRow("no output") << "render" << QStringList{"--folder", "DIR"}
                               << "no output file given";
    QTest::newRow("own page without list")
        << "print" << QStringList{"--folder", "DIR", "--out", "DIR/a.pdf", "--own-page"}
        << "--own-page needs --list";
    QTest::newRow("scale 0") << "print"
                             << QStringList{"--folder", "DIR", "--out", "a.pdf", "--scale", "0"}
                             << scale + "0";
    QTest::newRow("scale too long")
        << "render" << QStringList{"--folder", "DIR", "--out", "a.png", "--scale", "12345678"}
        << scale + "12345678";
    QTest::newRow("paper") << "print"
                           << QStringList{"--folder", "DIR", "--out", "a.pdf", "--paper", "B5"}
                           << "unknown paper B5 (A4 or A3)";
    QTest::newRow("size") << "render"
                          << QStringList{"--folder", "DIR", "--out", "a.png", "--size", "0x200"}
                          << "the size must be WIDTHxHEIGHT, each from 1 to 10000 pixels: 0x200";
    QTest::newRow("not a PNG name") << "render" << QStringList{"--folder", "DIR", "--out", "a.jpg"}
                                    << "the picture must be a .png or .svg file: a.jpg";
    QTest::newRow("farm and farm-from")
        << "import-plots"
        << QStringList{"f.shp", "--folder", "DIR", "--farm", "A", "--farm-from", "B"}
        << "give either --farm or --farm-from";
    QTest::newRow("two files") << "import-mdb" << QStringList{"--folder", "DIR", "a", "b"}
                               << "unexpected argument: b";
    QTest::newRow("no demo folder") << "demo" << QStringList{} << "no folder given";
    QTest::newRow("two demo folders")
        << "demo" << QStringList{"DIR", "other"} << "unexpected argument: other";
    QTest::newRow("seed without value")
        << "demo" << QStringList{"DIR", "--seed"} << "no value for --seed";
    QTest::newRow("negative seed") << "demo" << QStringList{"--seed", "-3", "DIR"}
                                   << "--seed needs a whole number from 0 to 18446744073709551615";
    QTest::newRow("unknown option")
        << "demo" << QStringList{"--force", "DIR"} << "unexpected argument: --force";
    QTest::newRow("empty file name") << "shpdump" << QStringList{""} << "no file given";
}

void TestCommandLine::wrongArguments()
{
    QFETCH(QString, command);
    QFETCH(QStringList, args);
    QFETCH(QString, reason);
    TestFolder folder;
    args.replaceInStrings("DIR", folder.file("dir"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QCOMPARE(runCommand(command, args, outStream, errStream), 2);
    QString usage;
    for (const CliCommand& declared : cliCommands())
        if (declared.name == command)
            usage = declared.commandLine().usage();
    QCOMPARE(err, command + ": " + reason + '\n' + usage);
    QCOMPARE(out, QString());
    QVERIFY(!QFileInfo::exists(folder.file("dir")));
}

void TestCommandLine::reportOnANewProgramFolder()
{
    // The viewer's help tells where the program folder is by default and
    // that missing installation files are created there.
    const CliRun help = run(SORVAN_VIEWER, {"--help"});
    QVERIFY2(help.out.contains("default: the folder of the program file"), qPrintable(help.out));
    QVERIFY2(help.out.contains("created there"), qPrintable(help.out));

    TestFolder folder;
    const QString program = folder.makeFolder("Programm %1 und %2");
    folder.writeFile("Programm %1 und %2/Hof A/feld.shp", "");
    folder.writeFile("Programm %1 und %2/Hof A/WIESE.SHP", "");
    const CliRun report = runCli(SORVAN_VIEWER, {"--folder", program, "--settings",
                                                 folder.file("settings.ini"), "--report-and-quit"});
    QCOMPARE(report.exitCode, 0);
    QVERIFY2(report.out.contains("Plot shapefiles in the farm folders: 2\n"),
             qPrintable(report.out));
    // Both are empty: counted, and named as files the map cannot draw.
    QVERIFY2(report.out.contains(
                 "Plot shapefiles the map cannot draw: 2\n  Hof A/WIESE: index file missing\n"),
             qPrintable(report.out));
    // The message about the supplied files names the folder they went into.
    QVERIFY2(report.err.contains(QDir::toNativeSeparators(program)), qPrintable(report.err));
    QVERIFY2(report.err.contains("GISDATEN.MDB"), qPrintable(report.err));
}

// The command-line program runs without a GUI application: the wait pointer
// must leave it alone.
void TestCommandLine::noWaitPointerWithoutGuiApplication()
{
    QVERIFY(!qobject_cast<QGuiApplication*>(QCoreApplication::instance()));
    const WaitCursor wait;
    QVERIFY(!wait.isShown());
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
