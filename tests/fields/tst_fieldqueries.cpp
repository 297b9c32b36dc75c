#include "FieldQueries.h"
#include "ProgramFixture.h"
#include "SortOrders.h"

#include <QtTest>

class TestFieldQueries : public QObject {
    Q_OBJECT
private slots:
    void fieldGridOrder_data();
    void fieldGridOrder();
    void plotRowOperations_data();
    void plotRowOperations();
    void farmGridAndDeletion();
};

void TestFieldQueries::fieldGridOrder_data()
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

void TestFieldQueries::fieldGridOrder()
{
    QFETCH(QString, order);
    QFETCH(QStringList, expected);
    ProgramFixture data;
    for (const PlotRecord& p :
         {PlotRecord{"c", "Hof", "mitte", 2, 0, 0, "Mais", {}, 0, 5.0, 0, 0, 1},
          PlotRecord{"a", "Hof", "Zelg", 1, 2, 0, "Weizen", {}, 0, 1.5, 0, 0, 1},
          PlotRecord{"b", "Hof", "Acker", 1, 1, 0, "mais", {}, 0, 1.5, 0, 0, 1}})
        QVERIFY(!data.database.addPlot(p).isError() && data.addPlot("Hof", p.dateiname + "x", 0));
    OperationError error;
    QStringList found;
    for (const PlotRow& row : FieldQueries(data.database).fieldGrid(order, &error))
        found << row.record.dateiname;
    QCOMPARE(found, expected);
    QCOMPARE(error.kind, expected.isEmpty() ? ErrorKind::InvalidArgument : ErrorKind::None);
    QCOMPARE(data.database.plotCount(), 6);
}

void TestFieldQueries::plotRowOperations_data()
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

void TestFieldQueries::plotRowOperations()
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

void TestFieldQueries::farmGridAndDeletion()
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
    QCOMPARE(deleted.farmRows, 1);
    QCOMPARE(deleted.plotRows, 2);
    QCOMPARE(farmNames("name", &error), (QStringList{"Hof A", "hof b"}));
    QCOMPARE(data.database.plotCount(), 1);
}

QTEST_GUILESS_MAIN(TestFieldQueries)
#include "tst_fieldqueries.moc"
