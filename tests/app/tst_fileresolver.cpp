#include "FileResolver.h"
#include "TestFolder.h"

#include <QtTest>

class TestFileResolver : public QObject {
    Q_OBJECT
private slots:
    void resolveFindsEntryIgnoringCase_data();
    void resolveFindsEntryIgnoringCase();
    void exactMatchWinsOverOtherCase();
    void resolvePathWalksEveryComponent();
    void dateiexistiert_data();
    void dateiexistiert();
};

void TestFileResolver::resolveFindsEntryIgnoringCase_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("expected");
    QTest::newRow("upper asked, lower on disk") << "gisdaten.mdb"
                                                << "GISDATEN.MDB"
                                                << "gisdaten.mdb";
    QTest::newRow("mixed extension") << "PlotF.shx"
                                     << "PLOTF.SHX"
                                     << "PlotF.shx";
    QTest::newRow("missing keeps composed name") << "other.dbf"
                                                 << "leer.DBF"
                                                 << "leer.DBF";
}

void TestFileResolver::resolveFindsEntryIgnoringCase()
{
    QFETCH(QString, onDisk);
    QFETCH(QString, asked);
    QFETCH(QString, expected);
    TestFolder folder;
    folder.writeFile(onDisk, "x");
    QCOMPARE(FileResolver::resolve(folder.path(), asked), folder.path() + '/' + expected);
}

void TestFileResolver::exactMatchWinsOverOtherCase()
{
    TestFolder folder;
    folder.writeFile("a.SHP", "1");
    folder.writeFile("a.shp", "2");
    QCOMPARE(FileResolver::resolve(folder.path(), "a.shp"), folder.file("a.shp"));
    QCOMPARE(FileResolver::resolve(folder.path(), "a.SHP"), folder.file("a.SHP"));
}

void TestFileResolver::resolvePathWalksEveryComponent()
{
    TestFolder folder;
    folder.writeFile("Hof Lindenau/Acker1.Shp", "x");
    QCOMPARE(FileResolver::resolvePath(folder.path(), "HOF LINDENAU/acker1.SHP"),
             folder.file("Hof Lindenau/Acker1.Shp"));
}

void TestFileResolver::dateiexistiert_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<bool>("exists");
    QTest::newRow("same name") << "SPRACHE.DAT"
                               << "SPRACHE.DAT" << true;
    QTest::newRow("other case") << "sprache.dat"
                                << "SPRACHE.DAT" << true;
    QTest::newRow("blanks around asked name") << "DF.SHX"
                                              << "  df.shx " << true;
    QTest::newRow("no such file") << "DF.SHX"
                                  << "DF.DBF" << false;
    QTest::newRow("prefix is no match") << "DF.SHX.bak"
                                        << "DF.SHX" << false;
    QTest::newRow("description of empty base name") << ".DES"
                                                    << ".des" << true;
}

void TestFileResolver::dateiexistiert()
{
    QFETCH(QString, onDisk);
    QFETCH(QString, asked);
    QFETCH(bool, exists);
    TestFolder folder;
    folder.writeFile(onDisk, "x");
    QCOMPARE(FileResolver::dateiexistiert(folder.path(), asked), exists);
}

QTEST_GUILESS_MAIN(TestFileResolver)
#include "tst_fileresolver.moc"
