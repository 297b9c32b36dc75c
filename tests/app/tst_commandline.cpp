// The programs' command lines as a user meets them: help, version, wrong
// commands, and answers that need no display.
#include "TestFolder.h"
#include "WaitCursor.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QtTest>

namespace {
struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program; without a display when display is false (a GUI platform
// that cannot start makes the program fail).
Run run(const QString& program, const QStringList& args, bool display)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!display) {
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("QT_QPA_PLATFORM", "xcb");
    }
    process.setProcessEnvironment(env);
    process.start(program, args);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

const QString version = QStringLiteral(SORVAN_VERSION);
} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
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
    const Run result = run(program, args, false);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2((exitCode == 0 ? result.out : result.err).startsWith(said),
             qPrintable(result.out + result.err));
    QCOMPARE(exitCode == 0 ? result.err : result.out, QString());
}

void TestCommandLine::reportOnANewProgramFolder()
{
    // The viewer's help tells where the program folder is by default and
    // that missing installation files are created there.
    const Run help = run(SORVAN_VIEWER, {"--help"}, false);
    QVERIFY2(help.out.contains("default: the folder of the program file"), qPrintable(help.out));
    QVERIFY2(help.out.contains("created there"), qPrintable(help.out));

    TestFolder folder;
    const QString program = folder.makeFolder("Programm %1 und %2");
    folder.writeFile("Programm %1 und %2/Hof A/feld.shp", "");
    folder.writeFile("Programm %1 und %2/Hof A/WIESE.SHP", "");
    const Run report =
        run(SORVAN_VIEWER,
            {"--folder", program, "--settings", folder.file("settings.ini"), "--report-and-quit"},
            true);
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
