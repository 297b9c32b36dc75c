#include "MapDocument.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using ShapeFixture::Suffix;

namespace {
// Number of this process's open file descriptors that point into folder.
int openFilesUnder(const QString& folder)
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    const QString prefix = QDir(folder).canonicalPath() + '/';
    for (const QString& fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        count += QFile::symLinkTarget(fds.filePath(fd)).startsWith(prefix);
    return count;
}
} // namespace

class TestMapDataSource : public QObject {
    Q_OBJECT
private slots:
    void tablesInCodeUnitOrder_data();
    void tablesInCodeUnitOrder();
    void malformedFilesAreLeftOutAndReported_data();
    void malformedFilesAreLeftOutAndReported();
    void noSourceWithoutShapefiles_data();
    void noSourceWithoutShapefiles();
    void layerDisplayPairsColoursWithTables();
    void closeReleasesSourceAndItsViews();
    void singleFileGivesKindOneSource();
};

void TestMapDataSource::tablesInCodeUnitOrder_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("upper before lower")
        << QStringList{"b", "A", "a", "c"} << QStringList{"A", "a", "b", "c"};
    QTest::newRow("digits, then letters") << QStringList{"schlag_10", "schlag_9", "Schlag_2", "1"}
                                          << QStringList{"1", "Schlag_2", "schlag_10", "schlag_9"};
    QTest::newRow("prefix first") << QStringList{"ab", "a", "a b"} << QStringList{"a", "a b", "ab"};
    QTest::newRow("non-ascii after ascii")
        << QStringList{"\u00e6ble", "z", "\u00c6"} << QStringList{"z", "\u00c6", "\u00e6ble"};
}

void TestMapDataSource::tablesInCodeUnitOrder()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, expected);
    TestFolder folder;
    // Each plot lies at its position in the expected order, so tables prove their file.
    for (const QString& name : names)
        ShapeFixture::writeSquare(folder.file("temp"), name, 100.0 * expected.indexOf(name), 0, 10,
                                  name.size() % 2 ? Suffix::Upper : Suffix::Lower);
    const auto source = MapDataSource::openFolder("Data1", folder.file("temp"));
    QVERIFY(source);
    QCOMPARE(source->Kind(), 2);
    QCOMPARE(source->tableCount(), expected.size());
    for (int k = 0; k < expected.size(); ++k) {
        QCOMPARE(source->table(k)->baseName(), expected.at(k));
        QCOMPARE(source->table(k)->bounds().minX, 100.0 * k);
    }
    QVERIFY(!source->table(expected.size()));
    QVERIFY(source->problems().isEmpty());
}

void TestMapDataSource::malformedFilesAreLeftOutAndReported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("truncated shp") << "truncate";
    QTest::newRow("missing shx") << "noshx";
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
    if (damage == "truncate")
        ShapeFixture::truncateFile(bad, 150);
    else if (damage == "noshx")
        QVERIFY(QFile::remove(folder.file("temp/B.SHX")));
    else
        ShapeFixture::patchInt32(bad, 148, 1 << 30, false);

    MapDocument map;
    const MapDataSource* source = map.OpenDataSource("Data1", temp);
    QVERIFY(source);
    QCOMPARE(source->tableCount(), 2);
    QCOMPARE(source->table(0)->baseName(), QStringLiteral("A"));
    QCOMPARE(source->table(1)->baseName(), QStringLiteral("C"));
    QCOMPARE(map.lastProblems().size(), 1);
    QVERIFY(map.lastProblems().at(0).isError());
    QVERIFY2(map.lastProblems().at(0).where.contains("/B."),
             qPrintable(map.lastProblems().at(0).where));
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
    }
    MapDocument map;
    QVERIFY(!map.OpenDataSource("Data1", folder.file("temp")));
    QVERIFY(map.DataSources().isEmpty());
}

void TestMapDataSource::layerDisplayPairsColoursWithTables()
{
    TestFolder folder;
    const QString temp = folder.file("temp");
    ShapeFixture::writeSquare(temp, "w", 200, 0, 50);
    ShapeFixture::writeSquare(temp, "u", 0, 0, 50);
    ShapeFixture::writeSquare(temp, "v", 100, 0, 50);
    const QList<int> colours{255, 65280, 16711680}; // for u, v, w

    MapDocument map;
    map.viewport().resize(QSizeF(500, 250));
    QVERIFY(map.OpenDataSource("Data1", temp));
    MapDataSource* source = map.DataSources().at(0);
    int number = 0;
    for (int k = source->tableCount() - 1; k >= 0; --k) {
        MapView* view = map.AddView("VIEW " + QString::number(++number), source->table(k).get());
        QVERIFY(view);
        view->setText(source->text());
        view->setColour(colours.at(k));
    }
    QVERIFY(map.ZoomAll());

    const QList<const MapView*> views = map.views();
    QCOMPARE(views.size(), 3);
    QCOMPARE(views.at(0)->name(), QStringLiteral("VIEW 1"));
    QCOMPARE(views.at(0)->tables().at(0)->baseName(), QStringLiteral("w"));
    QCOMPARE(views.at(0)->colour(), 16711680);
    QCOMPARE(views.at(2)->tables().at(0)->baseName(), QStringLiteral("u"));
    QCOMPARE(views.at(2)->colour(), 255);
    QCOMPARE(views.at(2)->text(), QStringLiteral("Data1"));
    QVERIFY(map.MinX() <= 0 && map.MaxX() >= 250 && map.MinY() <= 0 && map.MaxY() >= 50);
    QCOMPARE(openFilesUnder(temp), 0);
}

void TestMapDataSource::closeReleasesSourceAndItsViews()
{
    TestFolder folder;
    const QString temp = folder.file("temp");
    ShapeFixture::writeSquare(temp, "P1", 0, 0, 10);
    ShapeFixture::writeSquare(folder.file("other"), "Q", 0, 0, 10);
    MapDocument map;
    MapDataSource* data = map.OpenDataSource("Data1", temp);
    MapDataSource* other = map.OpenDataSource("Data2", folder.file("other"));
    const auto stranger = MapDataSource::openFolder("Data1", temp);
    QVERIFY(!map.AddView("VIEW 0", stranger->table(0).get())); // not opened by this map
    map.AddView("VIEW 1", data->table(0).get());
    map.AddView("VIEW 2", other);

    QCOMPARE(map.DataSources().at(0), other); // the source opened last comes first

    QVERIFY(map.CloseDataSource("Data1"));
    QVERIFY(!map.CloseDataSource("Data1"));
    QCOMPARE(map.viewCount(), 1);
    QCOMPARE(map.views().at(0)->name(), QStringLiteral("VIEW 2"));
    QCOMPARE(map.DataSources().size(), 1);
    QCOMPARE(openFilesUnder(temp), 0);
}

void TestMapDataSource::singleFileGivesKindOneSource()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("GPS"), "M1", 0, 0, 10);
    MapDocument map;
    // Composed names differ in case from the names on disk.
    MapDataSource* source = map.OpenDataSource("Data1", folder.file("gps/m1.shp"));
    QVERIFY(source);
    QCOMPARE(source->Kind(), 1);
    const MapView* view = map.AddView("VIEW 1", source);
    QVERIFY(view);
    QVERIFY(!view->hasColour());
    QCOMPARE(view->tables().size(), 1);
}

QTEST_APPLESS_MAIN(TestMapDataSource)
#include "tst_mapdatasource.moc"
