#include "FarmFolders.h"
#include "ProjectDatabase.h"
#include "TestFolder.h"

#include <QSqlQuery>
#include <QtTest>

namespace {
void createDatabase(const TestFolder& folder, ProjectDatabase& db)
{
    QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
    QVERIFY(!db.open(folder.path()).isError());
}
} // namespace

class TestProjectDatabase : public QObject {
    Q_OBJECT
private slots:
    void namesWithQuotesAreJustValues_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("apostrophe") << "O'Brien";
        QTest::newRow("quote and semicolon") << "x'; drop table betriebe; --";
    }
    void namesWithQuotesAreJustValues()
    {
        QFETCH(QString, name);
        TestFolder folder;
        ProjectDatabase db;
        createDatabase(folder, db);
        QVERIFY(!db.addFarm(name).isError());
        QVERIFY(db.farmExists(name));
        QCOMPARE(db.farmNames(), QStringList{name});
        PlotRecord plot;
        plot.dateiname = name;
        plot.ordner = name;
        QVERIFY(!db.addPlot(plot).isError());
        QCOMPARE(db.plotsOfFarm(name).value(0).dateiname, name);
    }

    void textComparesIgnoringCase()
    {
        TestFolder folder;
        ProjectDatabase db;
        createDatabase(folder, db);
        QVERIFY(!db.addFarm("Hof Lindenau").isError());
        QVERIFY(db.farmExists("HOF LINDENAU"));
        PlotRecord plot;
        plot.dateiname = "Acker1";
        plot.ordner = "Hof Lindenau";
        QVERIFY(!db.addPlot(plot).isError());
        QCOMPARE(db.plotsOfFarm("hof lindenau").size(), 1);
        // Column names ignore case as well.
        QSqlQuery query(db.database());
        QVERIFY(
            query.exec("select DATEINAME, flaeche from SCHLAGDATEN where Ordner = 'HOF LINDENAU'"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QString("Acker1"));
    }

    void newPlotRowsDefaultToZero()
    {
        TestFolder folder;
        ProjectDatabase db;
        createDatabase(folder, db);
        QSqlQuery query(db.database());
        QVERIFY(query.exec("insert into schlagdaten (dateiname, Name, ordner, anzeigen) "
                           "values ('neu', 'neu', 'Hof', 1)"));
        const PlotRecord plot = db.plotsOfFarm("Hof").value(0);
        QCOMPARE(plot.farbe, qint64(0));
        QCOMPARE(plot.flaeche, 0.0);
        QCOMPARE(plot.teil, 0);
        QCOMPARE(plot.maxDop, 0.0);
    }

    void unusableDatabaseIsReported_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << QByteArray() << int(ErrorKind::FileNotFound);
        QTest::newRow("not a database") << QByteArray(4096, 'x') << int(ErrorKind::NotADatabase);
    }
    void unusableDatabaseIsReported()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, kind);
        TestFolder folder;
        if (!content.isEmpty())
            folder.writeFile("GISDATEN.MDB", content);
        ProjectDatabase db;
        const OperationError error = db.open(folder.path());
        QCOMPARE(int(error.kind), kind);
        QCOMPARE(error.where, folder.file("GISDATEN.MDB"));
        QVERIFY(!db.isOpen());
        QVERIFY(!QFileInfo::exists(folder.file("GISDATEN.MDB")) || !content.isEmpty());
    }

    void reservedFolders()
    {
        TestFolder folder;
        for (const char* f : {"temp", "Shapes", "TOPOL", "Topol2", "Hof A"})
            folder.makeFolder(f);
        folder.writeFile("plain file", "x");
        QCOMPARE(FarmFolders::list(folder.path()), (QStringList{"Hof A", "Topol2"}));
    }

    void plotFiles_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("isPlot");
        QTest::addColumn<QString>("base");
        QTest::newRow("upper") << "Acker1.SHP" << true << "Acker1";
        QTest::newRow("lower") << "a.shp" << true << "a";
        QTest::newRow("backup is no plot") << "a.SHP.bak" << false << "";
        QTest::newRow("index file") << "a.shx" << false << "";
    }
    void plotFiles()
    {
        QFETCH(QString, file);
        QFETCH(bool, isPlot);
        QFETCH(QString, base);
        QString found;
        QCOMPARE(FarmFolders::isPlotFile(file, &found), isPlot);
        if (isPlot)
            QCOMPARE(found, base);
    }
};

QTEST_GUILESS_MAIN(TestProjectDatabase)
#include "tst_projectdatabase.moc"
