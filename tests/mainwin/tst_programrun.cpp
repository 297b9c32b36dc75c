#include "MainWindow.h"
#include "ModalAnswer.h"
#include "ProgramRun.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
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

    void unreadableDatabaseIsNamed_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray(2048, 'z');
        QTest::newRow("database without the tables") << QByteArray(""); // empty SQLite file
    }
    void unreadableDatabaseIsNamed()
    {
        QFETCH(QByteArray, content);
        TestFolder folder;
        folder.writeFile("SPRACHE.DAT", "1\r\n");
        folder.writeFile("gisdaten.mdb", content);
        ProgramRun run(optionsFor(folder));
        QVERIFY(run.start());
        QVERIFY(!run.state().database);
        const auto& shown = Prompter::instance().shown();
        QVERIFY(!shown.isEmpty());
        QVERIFY2(shown.last().text.contains(folder.file("gisdaten.mdb")),
                 qPrintable(shown.last().text));
        QCOMPARE(shown.last().title, QString("Sorvan-GIS-Viewer - Bedienungsfehler"));
        QVERIFY(run.loadReport().contains("Project database: not usable"));
        // The broken file is left as it was, and the program still ends in order.
        QCOMPARE(folder.readFile("gisdaten.mdb"), content);
        run.mainWindow()->close();
    }
};

QTEST_MAIN(TestProgramRun)
#include "tst_programrun.moc"
