#include "MainWindow.h"
#include "ModalAnswer.h"
#include "ProgramRun.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {
ProgramRun::Options optionsFor(const TestFolder& folder)
{
    ProgramRun::Options options;
    options.programFolder = folder.path() + "/"; // a trailing slash is dropped
    options.settingsFile = folder.file("settings.ini");
    return options;
}

void answerLanguageDialog(int row)
{
    whenModalShown([row](QDialog* dialog) {
        dialog->findChild<QListWidget*>("lstsprachen")->setCurrentRow(row);
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
    });
}
} // namespace

class TestProgramRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartInEmptyFolder();
    void unreadableDatabaseIsNamed_data();
    void unreadableDatabaseIsNamed();
    void reportNamesWhatWasLoaded();
};

void TestProgramRun::init()
{
    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
}

void TestProgramRun::firstStartInEmptyFolder()
{
    TestFolder folder;
    answerLanguageDialog(1);
    ProgramRun run(optionsFor(folder));
    QVERIFY(run.start());
    QCOMPARE(run.state().programmpfad, folder.path());
    QCOMPARE(run.state().sprache, 2);
    QVERIFY(run.state().database);
    for (const char* file : {"GISDATEN.MDB", "texte.mdb", "leer.DBF", "SPRACHE.DAT"})
        QVERIFY2(QFileInfo::exists(folder.file(file)), file);
    // The user is told which files were put there, in the chosen language.
    QCOMPARE(Prompter::instance().shown().size(), 1);
    const auto shown = Prompter::instance().shown().first();
    QCOMPARE(shown.title, QString("Sorvan-GIS-Viewer - Information"));
    QVERIFY(shown.text.startsWith("These files were missing"));
    QVERIFY(shown.text.contains("GISDATEN.MDB, texte.mdb, leer.DBF"));
    QCOMPARE(run.mainWindow()->findChild<QMenu*>("mnuEingabe")->title(), QString("File"));
    QVERIFY(run.mainWindow()->isVisible());
}

void TestProgramRun::unreadableDatabaseIsNamed_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a database") << QByteArray(2048, 'z');
    QTest::newRow("database without the tables") << QByteArray();
}

void TestProgramRun::unreadableDatabaseIsNamed()
{
    QFETCH(QByteArray, content);
    TestFolder folder;
    folder.writeFile("SPRACHE.DAT", "1\r\n");
    if (content.isEmpty()) {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "empty-db");
        db.setDatabaseName(folder.file("gisdaten.mdb"));
        QVERIFY(db.open());
        QSqlQuery(db).exec("create table andere (x)");
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("empty-db");
    } else {
        folder.writeFile("gisdaten.mdb", content);
    }
    ProgramRun run(optionsFor(folder));
    QVERIFY(run.start());
    QVERIFY(!run.state().database);
    const auto& shown = Prompter::instance().shown();
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown.last().text.contains(folder.file("gisdaten.mdb")),
             qPrintable(shown.last().text));
    QCOMPARE(shown.last().title, QString("Sorvan-GIS-Viewer - Bedienungsfehler"));
    // The broken file is left as it was, and the program still ends in order.
    if (!content.isEmpty())
        QCOMPARE(folder.readFile("gisdaten.mdb"), content);
    run.mainWindow()->close();
}

void TestProgramRun::reportNamesWhatWasLoaded()
{
    TestFolder folder;
    folder.writeFile("SPRACHE.DAT", "3\r\n");
    folder.makeFolder("Hof Lindenau");
    folder.makeFolder("temp");
    ProgramRun run(optionsFor(folder));
    QVERIFY(run.start());
    const QString report = run.loadReport();
    QVERIFY2(report.contains("Language: 3"), qPrintable(report));
    QVERIFY2(report.contains("Farm folders: 1"), qPrintable(report));
    QVERIFY2(report.contains("Field plots in the project database: 0"), qPrintable(report));
}

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
