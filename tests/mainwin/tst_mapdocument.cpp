#include "MapDocument.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {
// Number of this process's open file descriptors that point into folder.
int openFilesUnder(const QString& folder)
{
    int count = 0;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    const QString prefix = QDir(folder).canonicalPath() + '/';
    for (const QString& fd : fds.entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fds.filePath(fd)).startsWith(prefix))
            ++count;
    return count;
}
} // namespace

class TestMapDocument : public QObject {
    Q_OBJECT
private slots:
    void layerDisplayPairsColoursWithTables();
    void closeReleasesSourceAndItsViews();
    void reopeningReplacesAndListsNewestFirst();
    void folderNameMatchedIgnoringCase();
    void singleFileGivesKindOneSource();
    void addViewRefusesForeignTables();
    void zoomAllWithoutDataKeepsWindow();
    void initialiseEmptiesTheMap();
};

void TestMapDocument::layerDisplayPairsColoursWithTables()
{
    TestFolder folder;
    const QString temp = folder.file("temp");
    ShapeFixture::writeSquare(temp, "w", 200, 0, 50);
    ShapeFixture::writeSquare(temp, "u", 0, 0, 50);
    ShapeFixture::writeSquare(temp, "v", 100, 0, 50);
    const QList<int> colours{255, 65280, 16711680}; // for u, v, w

    MapDocument map;
    map.viewport().resize(QSizeF(500, 250));
    map.CloseDataSource("Data1");
    QVERIFY(map.OpenDataSource("Data1", temp));
    MapDataSource* source = map.DataSources().at(0);
    QCOMPARE(source->Kind(), 2);
    int viewNumber = 0;
    for (int k = source->tableCount() - 1; k >= 0; --k) {
        MapView* view = map.AddView("VIEW " + QString::number(++viewNumber), source->table(k).get());
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
    QCOMPARE(map.dataExtent(), MapExtent::of(0, 0, 250, 50));
    QVERIFY(map.MinX() <= 0 && map.MaxX() >= 250 && map.MinY() <= 0 && map.MaxY() >= 50);
    QCOMPARE(openFilesUnder(temp), 0);
}

void TestMapDocument::closeReleasesSourceAndItsViews()
{
    TestFolder folder;
    const QString temp = folder.file("temp");
    ShapeFixture::writeSquare(temp, "P1", 0, 0, 10);
    ShapeFixture::writeSquare(folder.file("other"), "Q", 0, 0, 10);
    MapDocument map;
    MapDataSource* data = map.OpenDataSource("Data1", temp);
    MapDataSource* other = map.OpenDataSource("Data2", folder.file("other"));
    map.AddView("VIEW 1", data->table(0).get());
    map.AddView("VIEW 2", other);

    QVERIFY(map.CloseDataSource("Data1"));
    QVERIFY(!map.CloseDataSource("Data1"));
    QCOMPARE(map.viewCount(), 1);
    QCOMPARE(map.views().at(0)->name(), QStringLiteral("VIEW 2"));
    QCOMPARE(map.DataSources().size(), 1);
    // Nothing of the staging folder is held: it can be emptied and refilled.
    QCOMPARE(openFilesUnder(temp), 0);
    QVERIFY(QDir(temp).removeRecursively());
}

void TestMapDocument::reopeningReplacesAndListsNewestFirst()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("a"), "A", 0, 0, 10);
    ShapeFixture::writeSquare(folder.file("b"), "B", 0, 0, 10);
    MapDocument map;
    map.OpenDataSource("Data1", folder.file("a"));
    map.AddView("VIEW 1", map.DataSources().at(0));
    map.OpenDataSource("Data2", folder.file("b"));
    QCOMPARE(map.DataSources().at(0)->name(), QStringLiteral("Data2"));

    MapDataSource* again = map.OpenDataSource("Data1", folder.file("b"));
    QVERIFY(again);
    QCOMPARE(map.DataSources().size(), 2);
    QCOMPARE(map.DataSources().at(0), again);
    QCOMPARE(map.DataSources().at(0)->table(0)->baseName(), QStringLiteral("B"));
    QCOMPARE(map.viewCount(), 0); // the views of the replaced source went with it

    QVERIFY(!map.OpenDataSource("Data1", folder.file("missing")));
    QCOMPARE(map.DataSources().size(), 1);
}

void TestMapDocument::folderNameMatchedIgnoringCase()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("TEMP"), "P", 0, 0, 10);
    MapDocument map;
    MapDataSource* source = map.OpenDataSource("Data1", folder.file("temp"));
    QVERIFY(source);
    QCOMPARE(source->tableCount(), 1);
}

void TestMapDocument::singleFileGivesKindOneSource()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.path(), "M1", 0, 0, 10);
    MapDocument map;
    MapDataSource* source = map.OpenDataSource("Data1", folder.file("m1.shp"));
    QVERIFY(source);
    QCOMPARE(source->Kind(), 1);
    MapView* view = map.AddView("VIEW 1", source);
    QVERIFY(view);
    QVERIFY(!view->hasColour());
    QCOMPARE(view->tables().size(), 1);
}

void TestMapDocument::addViewRefusesForeignTables()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("temp"), "P", 0, 0, 10);
    const auto stranger = MapDataSource::openFolder("Data1", folder.file("temp"));
    MapDocument map;
    map.OpenDataSource("Data1", folder.file("temp"));
    QVERIFY(!map.AddView("VIEW 1", stranger.get()));
    QVERIFY(!map.AddView("VIEW 1", stranger->table(0).get()));
    QVERIFY(!map.AddView("VIEW 1", static_cast<const MapTable*>(nullptr)));
    QCOMPARE(map.viewCount(), 0);
}

void TestMapDocument::zoomAllWithoutDataKeepsWindow()
{
    TestFolder folder;
    ShapeFixture::writePolygons(folder.file("temp"), "EMPTY", {});
    MapDocument map;
    map.viewport().resize(QSizeF(100, 100));
    MapDataSource* source = map.OpenDataSource("Data1", folder.file("temp"));
    QVERIFY(source);
    map.AddView("VIEW 1", source);
    const MapExtent before = map.viewport().window();
    QVERIFY(!map.ZoomAll());
    QCOMPARE(map.viewport().window(), before);
}

void TestMapDocument::initialiseEmptiesTheMap()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("temp"), "P", 5000, 5000, 10);
    MapDocument map;
    map.viewport().resize(QSizeF(200, 200));
    map.AddView("VIEW 1", map.OpenDataSource("Data1", folder.file("temp")));
    map.ZoomAll();
    map.setReportsMouse(false);
    map.initialise();
    QVERIFY(map.DataSources().isEmpty());
    QCOMPARE(map.viewCount(), 0);
    QVERIFY(map.reportsMouse());
    QCOMPARE(map.viewport().window(), MapExtent::of(0, 0, 1000, 1000));
    QCOMPARE(map.Scale(), 3780.0 * 1000 / 200);
}

QTEST_APPLESS_MAIN(TestMapDocument)
#include "tst_mapdocument.moc"
