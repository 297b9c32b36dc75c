#include "MapDataSource.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QFile>
#include <QTest>

using ShapeFixture::Suffix;

class TestMapDataSource : public QObject {
    Q_OBJECT
private slots:
    void tablesInCodeUnitOrder_data();
    void tablesInCodeUnitOrder();
    void malformedFilesAreLeftOutAndReported_data();
    void malformedFilesAreLeftOutAndReported();
    void noSourceWithoutShapefiles_data();
    void noSourceWithoutShapefiles();
    void singleFileSource();
};

void TestMapDataSource::tablesInCodeUnitOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("upper before lower") << QStringList{"b", "A", "a", "c"}
                                        << QStringList{"A", "a", "b", "c"};
    QTest::newRow("digits, then letters")
        << QStringList{"schlag_10", "schlag_9", "Schlag_2", "1"}
        << QStringList{"1", "Schlag_2", "schlag_10", "schlag_9"};
    QTest::newRow("prefix first") << QStringList{"ab", "a", "a b"}
                                  << QStringList{"a", "a b", "ab"};
    QTest::newRow("non-ascii after ascii") << QStringList{"\u00e6ble", "z", "\u00c6"}
                                           << QStringList{"z", "\u00c6", "\u00e6ble"};
}

void TestMapDataSource::tablesInCodeUnitOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    TestFolder folder;
    // Each plot lies at its position in the expected order, so tables prove their file.
    for (const QString& name : names) {
        const double x = 100.0 * expected.indexOf(name);
        ShapeFixture::writeSquare(folder.file("temp"), name, x, 0, 10,
                                  name.size() % 2 ? Suffix::Upper : Suffix::Lower);
    }
    const auto source = MapDataSource::openFolder("Data1", folder.file("temp"));
    QVERIFY(source);
    QCOMPARE(source->Kind(), 2);
    QCOMPARE(source->text(), QStringLiteral("Data1"));
    QCOMPARE(source->tableCount(), expected.size());
    for (int k = 0; k < expected.size(); ++k) {
        QCOMPARE(source->table(k)->baseName(), expected.at(k));
        QCOMPARE(source->table(k)->bounds().minX, 100.0 * k);
        QCOMPARE(source->table(k)->Kind(), 1);
    }
    QVERIFY(!source->table(expected.size()));
    QVERIFY(source->problems().isEmpty());
}

void TestMapDataSource::malformedFilesAreLeftOutAndReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated shp") << "truncate";
    QTest::newRow("bad file code") << "code";
    QTest::newRow("missing shx") << "noshx";
    QTest::newRow("record offset beyond end") << "offset";
    QTest::newRow("absurd point count") << "points";
}

void TestMapDataSource::malformedFilesAreLeftOutAndReported()
{
    QFETCH(QString, damage);
    TestFolder folder;
    const QString temp = folder.file("temp");
    ShapeFixture::writeSquare(temp, "A", 0, 0, 10);
    const QString bad = ShapeFixture::writeSquare(temp, "B", 20, 0, 10);
    ShapeFixture::writeSquare(temp, "C", 40, 0, 10);
    const QString badIndex = folder.file("temp/B.SHX");
    if (damage == "truncate")
        ShapeFixture::truncateFile(bad, 150);
    else if (damage == "code")
        ShapeFixture::patchInt32(bad, 0, 9995, true);
    else if (damage == "noshx")
        QVERIFY(QFile::remove(badIndex));
    else if (damage == "offset")
        ShapeFixture::patchInt32(badIndex, 100, 1 << 28, true);
    else
        ShapeFixture::patchInt32(bad, 148, 1 << 30, false);

    const auto source = MapDataSource::openFolder("Data1", temp);
    QVERIFY(source);
    QCOMPARE(source->tableCount(), 2);
    QCOMPARE(source->table(0)->baseName(), QStringLiteral("A"));
    QCOMPARE(source->table(1)->baseName(), QStringLiteral("C"));
    QCOMPARE(source->problems().size(), 1);
    QVERIFY(source->problems().at(0).isError());
    QVERIFY2(source->problems().at(0).where.contains("/B."),
             qPrintable(source->problems().at(0).where));
}

void TestMapDataSource::noSourceWithoutShapefiles_data()
{
    QTest::addColumn<QString>("content");
    QTest::newRow("missing folder") << "missing";
    QTest::newRow("empty folder") << "empty";
    QTest::newRow("only companions") << "companions";
}

void TestMapDataSource::noSourceWithoutShapefiles()
{
    QFETCH(QString, content);
    TestFolder folder;
    if (content != "missing")
        folder.makeFolder("temp");
    if (content == "companions") {
        ShapeFixture::writeSquare(folder.file("temp"), "X", 0, 0, 1);
        QVERIFY(QFile::remove(folder.file("temp/X.SHP")));
        folder.writeFile("temp/X.DES", "1,2,3,4");
    }
    QVERIFY(!MapDataSource::openFolder("Data1", folder.file("temp")));
}

void TestMapDataSource::singleFileSource()
{
    TestFolder folder;
    const QString shp = ShapeFixture::writeSquare(folder.path(), "GPS1", 5, 5, 50);
    OperationError error;
    const auto source = MapDataSource::openFile("Data1", shp, &error);
    QVERIFY(source);
    QVERIFY(!error.isError());
    QCOMPARE(source->Kind(), 1);
    QCOMPARE(source->tableCount(), 1);
    QCOMPARE(source->bounds(), MapExtent::of(5, 5, 55, 55));

    ShapeFixture::patchInt32(shp, 0, 0, true);
    QVERIFY(!MapDataSource::openFile("Data1", shp, &error));
    QCOMPARE(error.kind, ErrorKind::InvalidArgument);
}

QTEST_APPLESS_MAIN(TestMapDataSource)
#include "tst_mapdatasource.moc"
