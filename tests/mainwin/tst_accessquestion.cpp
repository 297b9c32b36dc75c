// The viewer's question when GISDATEN.MDB is an Access file: Yes brings the
// rows over in the command-line program and shows them, No and a crashing
// import leave the folder as it was.
#include "MainWindow.h"
#include "ProgramFolderSetup.h"
#include "ProgramRun.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QTableView>
#include <QtTest>

namespace {
const QString fixture = QStringLiteral(SORVAN_REALDATA_DIR "/access/GISDATEN-jet4.mdb");
}

class TestAccessQuestion : public QObject {
    Q_OBJECT
private slots:
    void answer_data();
    void answer();
};

void TestAccessQuestion::answer_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("crashes");
    QTest::newRow("Yes") << int(QMessageBox::Yes) << false;
    QTest::newRow("No") << int(QMessageBox::No) << false;
    QTest::newRow("Yes, and the import crashes") << int(QMessageBox::Yes) << true;
}

void TestAccessQuestion::answer()
{
    QFETCH(int, button);
    QFETCH(bool, crashes);
    QFile access(fixture);
    if (!access.open(QIODevice::ReadOnly))
        QSKIP("the Access fixtures are absent");
    TestFolder folder;
    const QByteArray original = access.readAll();
    folder.writeFile("GISDATEN.MDB", original);
    folder.writeFile("SPRACHE.DAT", "2\r\n");
    QVERIFY(!ProgramFolderSetup::installMissingFiles(folder.path()).error.isError());
    // A stand-in for the command-line program that dies as a crashing reader would.
    TestFolder tools;
    const QString crashing = tools.writeFile("sorvan-gis", "#!/bin/sh\nkill -SEGV $$\n");
    QFile::setPermissions(crashing, QFile::ReadOwner | QFile::ExeOwner);

    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
    Prompter::instance().setNextAnswer(button);
    ProgramRun::Options options;
    options.programFolder = folder.path();
    options.settingsFile = folder.file("settings.ini");
    options.startWindow = false;
    options.importProgram = crashes ? crashing : QStringLiteral(SORVAN_CLI);
    ProgramRun run(options);
    QVERIFY(run.start());

    const auto& shown = Prompter::instance().shown();
    QVERIFY(shown.size() >= 2);
    QCOMPARE(shown.at(0).title, QString("Sorvan-GIS-Viewer - Confirmation"));
    QVERIFY(shown.at(0).text.contains(folder.file("GISDATEN.MDB")));
    QVERIFY(shown.at(0).text.contains("will then be named GISDATEN.access.mdb"));
    const QString last = shown.last().text;
    const bool imported = button == QMessageBox::Yes && !crashes;
    QCOMPARE(run.state().database != nullptr, imported);
    QCOMPARE(QFileInfo::exists(folder.file("GISDATEN.access.mdb")), imported);
    if (imported) {
        QVERIFY2(last.startsWith("Brought over: 3 farms, 9 plots and 2 GPS measurements."),
                 qPrintable(last));
        QVERIFY(last.contains("Plot Eschweide: the farm folder Altbetrieb Schulze is missing."));
        QCOMPARE(folder.readFile("GISDATEN.access.mdb"), original);
        const auto* farms = run.mainWindow()->findChild<QTableView*>("grdbetriebe");
        QVERIFY(farms);
        QCOMPARE(farms->model()->rowCount(), 3);
    } else {
        QCOMPARE(folder.readFile("GISDATEN.MDB"), original);
        QVERIFY2(last.contains(crashes ? "could not be brought over" : "is an Access database"),
                 qPrintable(last));
        QCOMPARE(QDir(folder.path()).entryList({".new-*"}, QDir::AllEntries | QDir::Hidden),
                 QStringList());
    }
    run.mainWindow()->close();
}

QTEST_MAIN(TestAccessQuestion)
#include "tst_accessquestion.moc"
