#include "CliCommand.h"
#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "PlotPalette.h"
#include "ProgramFixture.h"
#include "ShapeFixture.h"
#include "SortOrders.h"

#include <QtTest>

class TestFieldQueries : public QObject {
    Q_OBJECT
private slots:
    void fieldGridOrder_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("expected"); // dateiname in grid order; empty: refused
        using SortOrders::plotOrderForColumn;
        QTest::newRow("header Dateiname") << plotOrderForColumn(0) << QStringList{"a", "b", "c"};
        QTest::newRow("header Nummer, ties by Teil")
            << plotOrderForColumn(1) << QStringList{"b", "a", "c"};
        QTest::newRow("header Kultur, text ignores case")
            << plotOrderForColumn(5) << QStringList{"b", "c", "a"};
        QTest::newRow("header Flaeche") << plotOrderForColumn(8) << QStringList{"b", "a", "c"};
        QTest::newRow("Name trimmed, any case") << "  NAME " << QStringList{"b", "c", "a"};
        QTest::newRow("unknown header column") << plotOrderForColumn(11) << QStringList{};
        QTest::newRow("descending") << "Flaeche desc" << QStringList{};
        QTest::newRow("statement pasted on") << "name; drop table schlagdaten" << QStringList{};
    }

    void fieldGridOrder()
    {
        QFETCH(QString, order);
        QFETCH(QStringList, expected);
        ProgramFixture data;
        for (const PlotRecord& p :
             {PlotRecord{"c", "Hof", "mitte", 2, 0, 0, "Mais", {}, 0, 5.0, 0, 0, 1},
              PlotRecord{"a", "Hof", "Zelg", 1, 2, 0, "Weizen", {}, 0, 1.5, 0, 0, 1},
              PlotRecord{"b", "Hof", "Acker", 1, 1, 0, "mais", {}, 0, 1.5, 0, 0, 1}})
            QVERIFY(!data.database.addPlot(p).isError() &&
                    data.addPlot("Hof", p.dateiname + "x", 0));
        OperationError error;
        QStringList found;
        for (const PlotRow& row : FieldQueries(data.database).fieldGrid(order, &error))
            found << row.record.dateiname;
        QCOMPARE(found, expected);
        QCOMPARE(error.kind, expected.isEmpty() ? ErrorKind::InvalidArgument : ErrorKind::None);
        QCOMPARE(data.database.plotCount(), 6);
    }

    void plotRowOperations_data()
    {
        QTest::addColumn<QStringList>("stored"); // ordner, dateiname
        QTest::addColumn<QStringList>("asked");  // the same plot as a caller spells it
        QTest::newRow("quotes, other case")
            << QStringList{"O'Brien", "Acker'1"} << QStringList{"o'brien", "ACKER'1"};
        QTest::newRow("injection text")
            << QStringList{"x' or '1'='1", "y"} << QStringList{"X' OR '1'='1", "Y"};
        QTest::newRow("umlauts") << QStringList{"Hof Müller", "Äcker"}
                                 << QStringList{"Hof Müller", "Äcker"};
    }

    void plotRowOperations()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, asked);
        ProgramFixture data;
        QVERIFY(data.addPlot(stored[0], stored[1], 0));
        QVERIFY(data.addPlot(stored[0], stored[1], 0)); // a duplicate row of the same plot
        QVERIFY(data.addPlot(stored[0], "anders", 1));
        FieldQueries queries(data.database);
        const PlotKey key{asked[0], asked[1]};

        OperationError error;
        QVERIFY(queries.plotExists(key, &error));
        const std::optional<PlotRow> plot = queries.plot(key, &error);
        QVERIFY(plot && !error.isError());
        QCOMPARE(plot->rowid, qint64(1)); // the first row of the two

        int count = -1;
        QVERIFY(!queries.markDisplayed(key, &count).isError());
        QCOMPARE(count, 1); // only the first row of the plot
        QCOMPARE(queries.fieldGrid("Name", &error).size(), 2);
        QVERIFY(!queries.resetDisplayed(&count).isError());
        QCOMPARE(count, 2);
        QVERIFY(queries.fieldGrid("Name", &error).isEmpty());
        QVERIFY(!queries.deletePlotRows(key, &count).isError());
        QCOMPARE(count, 2);
        QCOMPARE(data.database.plotCount(), 1);
    }

    void farmGridAndDeletion()
    {
        ProgramFixture data;
        for (const char* farm : {"O'Brien", "hof b", "Hof A"})
            QVERIFY(!data.database.addFarm(farm).isError());
        QVERIFY(data.addPlot("O'Brien", "p1") && data.addPlot("O'BRIEN", "p2") &&
                data.addPlot("Hof A", "p1"));
        FieldQueries queries(data.database);
        auto farmNames = [&](const QString& order, OperationError* error) {
            QStringList names;
            for (const FarmRow& row : queries.farmGrid(order, error))
                names << row.name;
            return names;
        };
        OperationError error;
        QCOMPARE(farmNames(SortOrders::farmDefault(), &error),
                 (QStringList{"Hof A", "hof b", "O'Brien"}));
        QVERIFY(farmNames("Name desc", &error).isEmpty());
        QCOMPARE(error.kind, ErrorKind::InvalidArgument);

        FieldQueries::FarmDeletion deleted;
        QVERIFY(!queries.deleteFarmRows("o'brien", &deleted).isError());
        QCOMPARE((std::pair{deleted.farmRows, deleted.plotRows}), (std::pair{1, 2}));
        QCOMPARE(farmNames("name", &error), (QStringList{"Hof A", "hof b"}));
        QCOMPARE(data.database.plotCount(), 1);
    }

    // The farms and plots commands of the command-line program.
    void commands_data()
    {
        QTest::addColumn<QString>("args"); // split at "|"; DIR stands for the program folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected"); // the listing, or a part of the error message
        // The files are no shapefiles: not readable, no geometry area; the new
        // row of Wiese gets the farm's third palette colour.
        const QString plots =
            "dateiname\tordner\tName\tNummer\tTeil\tErntejahr\tKultur\tAnmerkung"
            "\tFarbe\tFlaeche\tUmfang\tmaxDOP\tanzeigen\tlesbar\tFlaeche_Geometrie\n"
            "Acker\tHof A\tTab\\there\t7\t0\t2025\tMais\t\t255\t1.5\t0\t0\t1\t0\t\n"
            "Wiese\tHof A\tWiese\t0\t0\t0\t\t\t" +
            QString::number(PlotPalette::colourAt(2)) + "\t0\t0\t0\t1\t0\t\n";
        QTest::newRow("farms") << "farms|--folder|DIR" << 0
                               << "Hof A\t2\t1.5000\nO'Brien\t0\t0.0000\n";
        QTest::newRow("plots, farm in other case")
            << "plots|--folder|DIR|--farm|hof a" << 0 << plots;
        QTest::newRow("plots of all farms") << "plots|--folder|DIR" << 0 << plots;
        QTest::newRow("unknown farm") << "plots|--folder|DIR|--farm|Nope" << 1 << "Nope";
        QTest::newRow("no database") << "farms|--folder|DIR/none" << 1 << "GISDATEN.MDB";
    }

    void commands()
    {
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        ProgramFixture program;
        const TestFolder& folder = program.folder;
        for (const PlotRecord& p :
             {PlotRecord{"Acker", "Hof A", "Tab\there", 7, 0, 2025, "Mais", {}, 255, 1.5, 0, 0, 0},
              PlotRecord{"Weg", "Hof A", "Weg", 0, 0, 0, {}, {}, 0, 100, 0, 0, 1}}) // files gone
            QVERIFY(!program.database.addPlot(p).isError());
        folder.writeFile("Hof A/acker.SHP", "x");
        folder.writeFile("Hof A/Wiese.shp", "x");
        folder.makeFolder("O'Brien");

        QString outText, errText;
        QTextStream outStream(&outText), errStream(&errText);
        QStringList words = args.replace("DIR", folder.path()).split('|');
        const QString command = words.takeFirst();
        const int code = runCommand(command, words, outStream, errStream);
        QCOMPARE(code, exitCode);
        if (exitCode == 0)
            QCOMPARE(outText, expected);
        else
            QVERIFY2(outText.isEmpty() && errText.contains(expected), qPrintable(errText));
    }

    // Farms and plots taken over from the folders.
    void farmsFromFolders_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("reserved names in any case")
            << QStringList{"temp", "Shapes", "TOPOL", "Topol2", "O'Brien"}
            << QStringList{"O'Brien", "Topol2"};
        QTest::newRow("names equal ignoring case make one farm")
            << QStringList{"HOF", "hof"} << QStringList{"HOF"};
    }

    void farmsFromFolders()
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

    void plotsOfSelectedFarms_data()
    {
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<int>("added");
        QTest::addColumn<QStringList>("rows"); // all rows afterwards
        QTest::newRow("one farm") << QStringList{"Hof A"} << 2
                                  << QStringList{"Hof A/Acker'2=1", "Hof A/Alt=0", "Hof A/Wiese=1",
                                                 "Hof A/acker1=1", "Hof B/B1=0", "Hof B/b1=0"};
        QTest::newRow("two farms, names in other case")
            << QStringList{"hof a", "HOF B"} << 2
            << QStringList{"Hof A/Alt=0", "Hof A/acker1=1", "Hof B/B1=0", "Hof B/b1=1",
                           "hof a/Acker'2=1", "hof a/Wiese=1"};
        QTest::newRow("no farm resets only")
            << QStringList{} << 0
            << QStringList{"Hof A/Alt=0", "Hof A/acker1=0", "Hof B/B1=0", "Hof B/b1=0"};
        QTest::newRow("reserved and outside folders are not scanned")
            << QStringList{"temp", "Aussen", "Fehlt"} << 0
            << QStringList{"Hof A/Alt=0", "Hof A/acker1=0", "Hof B/B1=0", "Hof B/b1=0"};
    }

    void plotsOfSelectedFarms()
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
        // Hof B: a later twin row of b1; only the first row of a plot is shown.
        QVERIFY(program.addPlot("Hof A", "Alt") && program.addPlot("Hof B", "b1") &&
                program.addPlot("Hof A", "acker1") && program.addPlot("Hof B", "B1"));

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

    void failureLeavesTablesAsTheyWere()
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

        // Cancelled through its progress after the rows were reset, while
        // new plots are read or rows added: undone as well.
        program.folder.writeFile("Hof/C.shp", "x");
        sync.setProgress([](qsizetype, qsizetype) { return false; });
        for (const char* plot : {"", "D"}) {
            if (*plot) { // a plot to read: cancelled while the one file is read
                ShapeFixture::writeSquare(program.folder.file("Hof"), plot, 0, 0, 10);
                sync.setProgress([](qsizetype, qsizetype total) { return total != 1; });
            }
            const SyncChanges cancelled = sync.schlagdatenabgleichen({"Hof"});
            QVERIFY(cancelled.cancelled && !cancelled.error.isError());
            QCOMPARE(program.rows(), (QStringList{"Hof/A=1", "Hof/Z=1"}));
        }
        sync.setProgress({});

        const SyncChanges farms = sync.betriebsdatenladen();
        QCOMPARE(farms.error.kind, ErrorKind::Database);
        QCOMPARE(program.database.farmNames(), (QStringList{"Hof"}));
    }
};

QTEST_GUILESS_MAIN(TestFieldQueries)
#include "tst_fieldqueries.moc"
