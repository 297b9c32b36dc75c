#include "FieldDeletion.h"
#include "ProgramFixture.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFieldDeletion : public QObject {
    Q_OBJECT
private slots:
    void deleteFarm_data();
    void deleteFarm();
    void deletePlots_data();
    void deletePlots();
};

namespace {
// Farm "Hof" with plots a and b (three files each) and their rows, farm
// "Nachbar" with plot a.
void fill(ProgramFixture& p)
{
    for (const QString name : {"Hof/a", "Hof/b", "Nachbar/a"})
        for (const QString ext : {".SHP", ".SHX", ".DBF"})
            p.folder.writeFile(name + ext, "x");
    p.database.addFarm("Hof");
    p.database.addFarm("Nachbar");
    p.addPlot("Hof", "a");
    p.addPlot("Hof", "b");
    p.addPlot("Nachbar", "a");
}
} // namespace

void TestFieldDeletion::deleteFarm_data()
{
    QTest::addColumn<QString>("change"); // what is done to the farm folder first
    QTest::addColumn<int>("error");      // ErrorKind, 0 when deleted
    QTest::newRow("plain folder") << "" << 0;
    QTest::newRow("folder removed by hand") << "remove" << 0;
    QTest::newRow("sub-folder") << "subfolder" << int(ErrorKind::FolderNotFile);
    QTest::newRow("link inside") << "link inside" << int(ErrorKind::Refused);
    QTest::newRow("folder is a link") << "folder link" << int(ErrorKind::Refused);
}

void TestFieldDeletion::deleteFarm()
{
    QFETCH(QString, change);
    QFETCH(int, error);
    ProgramFixture p;
    fill(p);
    TestFolder outside;
    outside.writeFile("keep.txt", "the user's");
    const QString hof = p.folder.file("Hof");
    if (change == "remove")
        QDir(hof).removeRecursively();
    if (change == "subfolder")
        p.folder.makeFolder("Hof/Unter");
    if (change == "link inside")
        QFile::link(outside.file("keep.txt"), hof + "/keep.txt");
    if (change == "folder link") {
        QDir(hof).removeRecursively();
        QFile::link(outside.path(), hof);
    }
    const QStringList filesBefore = QDir(hof).entryList(QDir::Files | QDir::System);

    QCOMPARE(int(FieldDeletion::deleteFarm(p.state, " Hof ").kind), error);
    QCOMPARE(outside.readFile("keep.txt"), QByteArray("the user's"));
    QCOMPARE(p.rows().size(), error ? 3 : 1);
    QCOMPARE(p.database.farmNames(),
             error ? QStringList({"Hof", "Nachbar"}) : QStringList{"Nachbar"});
    if (error)
        QCOMPARE(QDir(hof).entryList(QDir::Files | QDir::System), filesBefore);
    else
        QVERIFY(!QFileInfo::exists(hof));
    QCOMPARE(QDir(p.folder.file("Nachbar")).entryList(QDir::Files).size(), 3);
}

void TestFieldDeletion::deletePlots_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("rowsLeft");
    QTest::newRow("index file missing") << "no shx" << 0 << QStringList{"Nachbar/a=1"};
    QTest::newRow("a plot file is a link")
        << "link" << int(ErrorKind::Refused) << QStringList{"Hof/a=1", "Hof/b=1", "Nachbar/a=1"};
}

void TestFieldDeletion::deletePlots()
{
    QFETCH(QString, change);
    QFETCH(int, error);
    QFETCH(QStringList, rowsLeft);
    ProgramFixture p;
    fill(p);
    TestFolder outside;
    outside.writeFile("b.DBF", "the user's");
    if (change == "no shx")
        QFile::remove(p.folder.file("Hof/a.SHX"));
    if (change == "link") {
        QFile::remove(p.folder.file("Hof/b.DBF"));
        QFile::link(outside.file("b.DBF"), p.folder.file("Hof/b.DBF"));
    }
    QCOMPARE(int(FieldDeletion::deletePlots(p.state, {{"Hof", "a"}, {"hof", "B"}}).kind), error);
    QCOMPARE(p.rows(), rowsLeft);
    QCOMPARE(outside.readFile("b.DBF"), QByteArray("the user's"));
    const int left = QDir(p.folder.file("Hof")).entryList(QDir::Files | QDir::System).size();
    QCOMPARE(left, error ? 6 : 0);
}

QTEST_GUILESS_MAIN(TestFieldDeletion)
#include "tst_fielddeletion.moc"
