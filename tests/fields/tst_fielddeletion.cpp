#include "FieldDeletion.h"
#include "ProgramFixture.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFieldDeletion : public QObject {
    Q_OBJECT
private slots:
    void deletion_data();
    void deletion();
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

void TestFieldDeletion::deletion_data()
{
    QTest::addColumn<bool>("farm");      // the farm Hof, else its plots a and b
    QTest::addColumn<QString>("change"); // what is done to the farm folder first
    QTest::addColumn<int>("error");      // ErrorKind, 0 when deleted
    QTest::newRow("farm") << true << "" << 0;
    QTest::newRow("farm folder removed by hand") << true << "remove" << 0;
    QTest::newRow("farm with a sub-folder") << true << "subfolder" << int(ErrorKind::FolderNotFile);
    QTest::newRow("farm with a link inside") << true << "link inside" << int(ErrorKind::Refused);
    QTest::newRow("farm folder is a link") << true << "folder link" << int(ErrorKind::Refused);
    QTest::newRow("plots, index file missing") << false << "no shx" << 0;
    QTest::newRow("plots, a plot file is a link")
        << false << "plot link" << int(ErrorKind::Refused);
}

// Done completely or not at all, and never through a link.
void TestFieldDeletion::deletion()
{
    QFETCH(bool, farm);
    QFETCH(QString, change);
    QFETCH(int, error);
    ProgramFixture p;
    fill(p);
    TestFolder outside;
    const QString keep = outside.writeFile("keep.txt", "the user's");
    const QString hof = p.folder.file("Hof");
    if (change == "remove" || change == "folder link")
        QDir(hof).removeRecursively();
    if (change == "subfolder")
        p.folder.makeFolder("Hof/Unter");
    if (change == "link inside")
        QFile::link(keep, hof + "/keep.txt");
    if (change == "folder link")
        QFile::link(outside.path(), hof);
    if (change == "no shx")
        QFile::remove(hof + "/a.SHX");
    if (change == "plot link")
        QVERIFY(QFile::remove(hof + "/b.DBF") && QFile::link(keep, hof + "/b.DBF"));
    const QStringList filesBefore = QDir(hof).entryList(QDir::Files | QDir::System);

    const OperationError result =
        farm ? FieldDeletion::deleteFarm(p.state, " Hof ")
             : FieldDeletion::deletePlots(p.state, {{"Hof", "a"}, {"hof", "B"}});
    QCOMPARE(int(result.kind), error);
    QCOMPARE(outside.readFile("keep.txt"), QByteArray("the user's"));
    QCOMPARE(p.rows(), error ? QStringList({"Hof/a=1", "Hof/b=1", "Nachbar/a=1"})
                             : QStringList{"Nachbar/a=1"});
    const bool farmKept = error || !farm;
    QCOMPARE(p.database.farmNames(),
             farmKept ? QStringList({"Hof", "Nachbar"}) : QStringList{"Nachbar"});
    QCOMPARE(QDir(hof).entryList(QDir::Files | QDir::System), error ? filesBefore : QStringList());
    QCOMPARE(QFileInfo::exists(hof), farmKept);
    QCOMPARE(QDir(p.folder.file("Nachbar")).entryList(QDir::Files).size(), 3);
}

QTEST_GUILESS_MAIN(TestFieldDeletion)
#include "tst_fielddeletion.moc"
