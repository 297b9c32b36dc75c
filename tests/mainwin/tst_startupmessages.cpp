// What the user is told at start when the program folder, the catalogue or the
// project database is not what the program expects: the catalogue's words in
// the chosen language, naming the file, nothing of the database engine's
// internals, no Qt SQL warning on standard error, and the file left as it was.
#include "MainWindow.h"
#include "ProgramRun.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SqlStatements.h"
#include "TestFolder.h"
#include "WarningCatcher.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

namespace {

QByteArray accessFile()
{
    QByteArray bytes = QByteArray("\x00\x01\x00\x00Standard Jet DB", 19) + QByteArray(1, '\0');
    bytes.append(8192 - bytes.size(), '\x11');
    return bytes;
}

} // namespace

class TestStartupMessages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void namesWhatIsWrong_data();
    void namesWhatIsWrong();
};

void TestStartupMessages::init()
{
    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
}

void TestStartupMessages::namesWhatIsWrong_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("entry");    // the file or folder the message names
    QTest::addColumn<bool>("starts");      // whether the program runs on
    QTest::addColumn<QStringList>("says"); // parts of the message besides the name

    QTest::newRow("program folder is a file")
        << "folder is a file" << 0 << "" << false
        << QStringList{"Sorvan-GIS-Viewer - Bedienungsfehler", "ist eine Datei und kein Ordner"};
    const QStringList titles = {"Bedienungsfehler", " - Error", "Erreur d'utilisation",
                                "Errore di utilizzo", "Kezelési hiba"};
    for (int sprache = 1; sprache <= 5; ++sprache)
        QTest::addRow("Access project database, language %d", sprache)
            << "Access database" << sprache << "GISDATEN.MDB" << true
            << QStringList{titles.at(sprache - 1), "Access"};
    QTest::newRow("catalogue is an Access file")
        << "Access catalogue" << 3 << "texte.mdb" << false
        << QStringList{"Erreur d'utilisation", "base de données Access"};
    QTest::newRow("catalogue without Texte") << "catalogue without Texte" << 2 << "texte.mdb"
                                             << false << QStringList{"has no table Texte"};
    QTest::newRow("project database is a folder")
        << "database is a folder" << 2 << "GISDATEN.MDB" << true
        << QStringList{"is a folder; a file is expected here"};
    QTest::newRow("project database is text")
        << "database is text" << 2 << "GISDATEN.MDB" << true << QStringList{"is not a database"};
    QTest::newRow("column missing") << "column missing" << 2 << "GISDATEN.MDB" << true
                                    << QStringList{"has no column schlagdaten.Flaeche"};
    QTest::newRow("unknown collation")
        << "unknown collation" << 1 << "GISDATEN.MDB" << true
        << QStringList{"verwendet eine unbekannte Sortierfolge (LOKAL)"};
}

void TestStartupMessages::namesWhatIsWrong()
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
        folder.writeFile("GISDATEN.MDB", accessFile());
    } else if (setup == "Access catalogue") {
        folder.writeFile("texte.mdb", accessFile());
    } else if (setup == "catalogue without Texte") {
        QCOMPARE(runStatements(folder.file("texte.mdb"), {"create table Texts (form, control)"}),
                 QString());
    } else if (setup == "database is a folder") {
        folder.makeFolder("GISDATEN.MDB");
    } else if (setup == "database is text") {
        folder.writeFile("GISDATEN.MDB", QByteArray("Hof Lindenau\n").repeated(200));
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

QTEST_MAIN(TestStartupMessages)
#include "tst_startupmessages.moc"
