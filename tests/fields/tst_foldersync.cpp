#include "FieldFolderSync.h"
#include "ProgramFixture.h"

#include <QtTest>

class TestFolderSync : public QObject {
    Q_OBJECT
private slots:
    void farmsFromFolders_data();
    void farmsFromFolders();
    void plotsOfSelectedFarms_data();
    void plotsOfSelectedFarms();
    void failureLeavesTablesAsTheyWere();
};

void TestFolderSync::farmsFromFolders_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("added");
    QTest::newRow("reserved names in any case")
        << QStringList{"temp", "Shapes", "TOPOL", "Topol2", "O'Brien"}
        << QStringList{"O'Brien", "Topol2"};
    QTest::newRow("names equal ignoring case make one farm")
        << QStringList{"HOF", "hof"} << QStringList{"HOF"};
}

void TestFolderSync::farmsFromFolders()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, added);
    ProgramFixture program;
    for (const QString& f : folders)
        program.folder.makeFolder(f);
    program.folder.writeFile("Datei", "a plain file is no farm");
    // Links: one to a farm folder inside, one leading out of the program folder.
    TestFolder outside;
    QFile::link(outside.path(), program.folder.file("Aussen"));
    if (!folders.isEmpty()) {
        QFile::link(program.folder.file(folders.last()), program.folder.file("Zweig"));
        added << "Zweig";
    }

    FieldFolderSync sync(program.state);
    const SyncChanges first = sync.betriebsdatenladen();
    QVERIFY2(!first.error.isError(), qPrintable(first.error.detail));
    QCOMPARE(first.farmsAdded, added);
    QCOMPARE(program.database.farmNames(), added);
    const SyncChanges second = sync.betriebsdatenladen();
    QVERIFY(!second.hasAdditions());
}

void TestFolderSync::plotsOfSelectedFarms_data()
{
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<int>("added");
    QTest::addColumn<QStringList>("rows"); // all rows afterwards
    QTest::newRow("one farm") << QStringList{"Hof A"} << 2
                              << QStringList{"Hof A/Acker'2=1", "Hof A/Alt=0", "Hof A/Wiese=1",
                                             "Hof A/acker1=1", "Hof B/b1=0"};
    QTest::newRow("two farms, names in other case")
        << QStringList{"hof a", "HOF B"} << 2
        << QStringList{"Hof A/Alt=0", "Hof A/acker1=1", "Hof B/b1=1", "hof a/Acker'2=1",
                       "hof a/Wiese=1"};
    QTest::newRow("no farm resets only")
        << QStringList{} << 0 << QStringList{"Hof A/Alt=0", "Hof A/acker1=0", "Hof B/b1=0"};
    QTest::newRow("reserved and outside folders are not scanned")
        << QStringList{"temp", "Aussen", "Fehlt"} << 0
        << QStringList{"Hof A/Alt=0", "Hof A/acker1=0", "Hof B/b1=0"};
}

void TestFolderSync::plotsOfSelectedFarms()
{
    QFETCH(QStringList, selected);
    QFETCH(int, added);
    QFETCH(QStringList, rows);
    ProgramFixture program;
    // Hof A: two new plots, one known under other case, one whose files are gone.
    for (const char* file : {"ACKER1.SHP", "Acker'2.shp", "Wiese.Shp", "Wiese.shx", "a.SHP.bak",
                             "GrenzSHP", "Notiz.txt"})
        program.folder.writeFile("Hof A/" + QString(file), "x");
    program.folder.makeFolder("Hof A/Ordner.shp");
    QFile::link(program.folder.file("Hof A/Wiese.Shp"), program.folder.file("Hof A/Link.shp"));
    program.folder.writeFile("Hof B/B1.shp", "x");
    program.folder.writeFile("temp/T.shp", "x");
    TestFolder outside;
    outside.writeFile("X.shp", "x");
    QFile::link(outside.path(), program.folder.file("Aussen"));
    QVERIFY(program.addPlot("Hof A", "Alt") && program.addPlot("Hof B", "b1") &&
            program.addPlot("Hof A", "acker1"));

    FieldFolderSync sync(program.state);
    const SyncChanges first = sync.schlagdatenabgleichen(selected);
    QVERIFY2(!first.error.isError(), qPrintable(first.error.detail));
    QCOMPARE(first.plotsAdded.size(), added);
    QCOMPARE(program.rows(), rows);
    const SyncChanges second = sync.schlagdatenabgleichen(selected);
    QVERIFY(!second.hasAdditions());
    QCOMPARE(second.rowsMarked, first.rowsMarked + added);
    QCOMPARE(program.rows(), rows);
}

void TestFolderSync::failureLeavesTablesAsTheyWere()
{
    ProgramFixture program;
    program.folder.writeFile("Hof/A.shp", "x");
    program.folder.writeFile("Hof/Z.shp", "x");
    FieldFolderSync sync(program.state);
    QVERIFY(!sync.betriebsdatenladen().error.isError());
    QVERIFY(!sync.schlagdatenabgleichen({"Hof"}).error.isError());
    program.folder.writeFile("Hof/B.shp", "x"); // refused after A is reset and marked
    program.folder.makeFolder("Anfang");        // added, then undone with Zweiter's refusal
    program.folder.makeFolder("Zweiter");
    QSqlQuery query(program.database.database());
    QVERIFY(query.exec("create trigger refuse before insert on schlagdaten"
                       " when new.dateiname = 'B' begin select raise(abort, 'refused'); end"));
    QVERIFY(query.exec("create trigger refuse2 before insert on betriebe"
                       " when new.Name = 'Zweiter' begin select raise(abort, 'refused'); end"));

    const SyncChanges failed = sync.schlagdatenabgleichen({"Hof"});
    QCOMPARE(failed.error.kind, ErrorKind::Database);
    QCOMPARE(program.rows(), (QStringList{"Hof/A=1", "Hof/Z=1"}));

    const SyncChanges farms = sync.betriebsdatenladen();
    QCOMPARE(farms.error.kind, ErrorKind::Database);
    QCOMPARE(program.database.farmNames(), (QStringList{"Hof"}));
    QCOMPARE(program.state.anzeigesperre, 0);
}

QTEST_GUILESS_MAIN(TestFolderSync)
#include "tst_foldersync.moc"
