#include "FileResolver.h"
#include "TestFolder.h"

#include <QtTest>

class TestFileResolver : public QObject {
    Q_OBJECT
private slots:
    void resolvePath_data()
    {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("other case") << QStringList{"gisdaten.mdb"} << "GISDATEN.MDB"
                                    << "gisdaten.mdb";
        QTest::newRow("missing keeps composed name") << QStringList{"other.dbf"} << "leer.DBF"
                                                     << "leer.DBF";
        QTest::newRow("exact match wins") << QStringList{"a.SHP", "a.shp"} << "a.shp"
                                          << "a.shp";
        QTest::newRow("every component")
            << QStringList{"Hof Lindenau/Acker1.Shp"} << "HOF LINDENAU/acker1.SHP"
            << "Hof Lindenau/Acker1.Shp";
    }
    void resolvePath()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        TestFolder folder;
        for (const QString& file : onDisk)
            folder.writeFile(file, "x");
        QCOMPARE(FileResolver::resolvePath(folder.path(), asked), folder.file(expected));
    }

    void dateiexistiert_data()
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
    void dateiexistiert()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, asked);
        TestFolder folder;
        folder.writeFile(onDisk, "x");
        QTEST(FileResolver::dateiexistiert(folder.path(), asked), "exists");
    }
};

QTEST_GUILESS_MAIN(TestFileResolver)
#include "tst_fileresolver.moc"
