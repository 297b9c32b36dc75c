#include "MainWindow.h"
#include "ModalAnswer.h"
#include "ProgramRun.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SqlStatements.h"
#include "TestFolder.h"
#include "WarningCatcher.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {
ProgramRun::Options optionsFor(const TestFolder& folder)
{
    ProgramRun::Options options;
    options.programFolder = folder.path() + "/"; // a trailing slash is dropped
    options.settingsFile = folder.file("settings.ini");
    return options;
}
} // namespace

class TestProgramRun : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    void firstStartInEmptyFolder()
    {
        TestFolder folder;
        folder.makeFolder("Hof Lindenau");
        folder.makeFolder("temp");
        whenModalShown([](QDialog* dialog) { // the language dialog: English
            dialog->findChild<QListWidget*>("lstsprachen")->setCurrentRow(1);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
        });
        ProgramRun run(optionsFor(folder));
        QVERIFY(run.start());
        QCOMPARE(run.state().programmpfad, folder.path());
        QCOMPARE(run.state().sprache, 2);
        QVERIFY(run.state().database); // the new project database is usable
        for (const char* file : {"GISDATEN.MDB", "texte.mdb", "leer.DBF"})
            QVERIFY2(QFileInfo::exists(folder.file(file)), file);
        QCOMPARE(folder.readFile("SPRACHE.DAT"), QByteArray("2\r\n"));
        // The user is told which files were put there, in the chosen language.
        QCOMPARE(Prompter::instance().shown().size(), 1);
        const auto shown = Prompter::instance().shown().first();
        QCOMPARE(shown.title, QString("Sorvan-GIS-Viewer - Information"));
        QVERIFY(shown.text.startsWith("These files were missing"));
        QVERIFY(shown.text.contains("GISDATEN.MDB, texte.mdb, leer.DBF"));
        QCOMPARE(run.mainWindow()->findChild<QMenu*>("mnuEingabe")->title(), QString("File"));
        QVERIFY(run.mainWindow()->isVisible());
        // The report for the command line counts farm folders, not reserved ones.
        const QString report = run.loadReport();
        QVERIFY2(report.contains("Language: 2") && report.contains("Farm folders: 1") &&
                     report.contains("Field plots in the project database: 0"),
                 qPrintable(report));
    }

    void namesWhatIsWrong_data();
    void namesWhatIsWrong();
};

// What the user is told at start when the program folder, the catalogue or the
// project database is not what the program expects: the catalogue's words in
// the chosen language, naming the file, nothing of the database engine's
// internals, no Qt SQL warning on standard error, and the file left as it was.
void TestProgramRun::namesWhatIsWrong_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("entry");    // the file or folder the message names
    QTest::addColumn<bool>("starts");      // whether the program runs on
    QTest::addColumn<QStringList>("says"); // parts of the message besides the name

    QTest::newRow("program folder is a file")
        << "folder is a file" << 0 << "" << false
        << QStringList{"Sorvan-GIS-Viewer - Bedienungsfehler", "ist eine Datei und kein Ordner"};
    QTest::newRow("Access project database, English")
        << "Access database" << 2 << "GISDATEN.MDB" << true << QStringList{" - Error", "Access"};
    QTest::newRow("catalogue is an Access file")
        << "Access catalogue" << 3 << "texte.mdb" << false
        << QStringList{"Erreur d'utilisation", "base de données Access"};
    QTest::newRow("catalogue without Texte") << "catalogue without Texte" << 2 << "texte.mdb"
                                             << false << QStringList{"has no table Texte"};
    QTest::newRow("project database is a folder")
        << "database is a folder" << 2 << "GISDATEN.MDB" << true
        << QStringList{"is a folder; a file is expected here"};
    QTest::newRow("project database is text, name in other case")
        << "database is text" << 2 << "gisdaten.mdb" << true << QStringList{"is not a database"};
    QTest::newRow("project database is empty") << "database is empty" << 1 << "GISDATEN.MDB" << true
                                               << QStringList{"Bedienungsfehler", "betriebe"};
    QTest::newRow("column missing") << "column missing" << 2 << "GISDATEN.MDB" << true
                                    << QStringList{"has no column schlagdaten.Flaeche"};
    QTest::newRow("unknown collation")
        << "unknown collation" << 1 << "GISDATEN.MDB" << true
        << QStringList{"verwendet eine unbekannte Sortierfolge (LOKAL)"};
}

void TestProgramRun::namesWhatIsWrong()
{
    QFETCH(QString, setup);
    QFETCH(int, sprache);
    QFETCH(QString, entry);
    QFETCH(bool, starts);
    QFETCH(QStringList, says);

    TestFolder folder;
    QString programFolder = folder.path();
    if (sprache)
        folder.writeFile("SPRACHE.DAT", QByteArray::number(sprache) + "\r\n");
    const QString database = folder.file("GISDATEN.MDB");
    if (setup == "folder is a file") {
        programFolder = folder.writeFile("Programm", "no folder");
    } else if (setup == "Access database") {
        folder.writeFile("GISDATEN.MDB", accessHeader("Standard Jet DB"));
    } else if (setup == "Access catalogue") {
        folder.writeFile("texte.mdb", accessHeader("Standard Jet DB"));
    } else if (setup == "catalogue without Texte") {
        QCOMPARE(runStatements(folder.file("texte.mdb"), {"create table Texts (form, control)"}),
                 QString());
    } else if (setup == "database is a folder") {
        folder.makeFolder("GISDATEN.MDB");
    } else if (setup == "database is text") {
        folder.writeFile(entry, QByteArray("Hof Lindenau\n").repeated(200));
    } else if (setup == "database is empty") {
        folder.writeFile(entry, "");
    } else {
        QCOMPARE(ProjectDatabase::createEmpty(database).detail, QString());
        const QStringList damage = setup == "column missing"
                                       ? QStringList{"alter table schlagdaten drop column Flaeche"}
                                       : QStringList{"pragma writable_schema = on",
                                                     recollate("schlagdaten", "NOCASE", "LOKAL")};
        QCOMPARE(runStatements(database, damage), QString());
    }
    const QString named = entry.isEmpty() ? programFolder : folder.file(entry);
    const QByteArray before = folder.readFile(entry);

    bool started = false;
    QStringList sqlWarnings;
    {
        WarningCatcher warnings;
        ProgramRun::Options options;
        options.programFolder = programFolder;
        options.settingsFile = folder.file("settings.ini");
        options.startWindow = false;
        ProgramRun run(options);
        started = run.start();
        if (started) {
            QVERIFY(!run.state().database);
            QVERIFY(run.loadReport().contains("Project database: not usable"));
            run.mainWindow()->close();
        }
        sqlWarnings = warnings.caught().filter(QRegularExpression("Sql|removeDatabase"));
    }
    QCOMPARE(started, starts);
    QCOMPARE(sqlWarnings, QStringList());

    const auto& shown = Prompter::instance().shown();
    QVERIFY(!shown.isEmpty());
    const QString message = shown.last().title + ": " + shown.last().text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(named)), qPrintable(message));
    for (const QString& words : says)
        QVERIFY2(message.contains(words), qPrintable(message));
    for (const char* internal : {"SQLite", "statement", "database disk image", "QSQLITE"})
        QVERIFY2(!message.contains(internal, Qt::CaseInsensitive), qPrintable(message));
    if (!entry.isEmpty())
        QCOMPARE(folder.readFile(entry), before);
}

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
