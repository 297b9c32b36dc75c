#include "MapDocument.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace ShapeFixture;

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
    void tablesInCodeUnitOrder()
    {
        // Upper before lower case, digits as characters, a prefix first, non-ASCII last.
        const QStringList expected{"1", "A",         "Schlag_2", "a", "a b",    "ab",
                                   "b", "schlag_10", "schlag_9", "z", "\u00c6", "\u00e6ble"};
        QStringList names = expected;
        std::reverse(names.begin(), names.end());
        TestFolder folder;
        // Each plot lies at its position in the expected order, so tables prove their file.
        for (const QString& name : names)
            writeSquare(folder.file("temp"), name, 100.0 * expected.indexOf(name), 0, 10,
                        name.size() % 2 ? Suffix::Upper : Suffix::Lower);
        const auto source = MapDataSource::openFolder("Data1", folder.file("temp"));
        QVERIFY(source);
        QCOMPARE(source->Kind(), 2);
        QStringList order;
        for (int k = 0; k < source->tableCount(); ++k) {
            order << source->table(k)->baseName();
            QCOMPARE(source->table(k)->bounds().minX, 100.0 * k);
        }
        QCOMPARE(order, expected);
        QVERIFY(!source->table(source->tableCount()));
        QVERIFY(source->problems().isEmpty());
    }

    void damagedFileIsLeftOutAndReported()
    {
        TestFolder folder;
        const QString temp = folder.file("temp");
        writeSquare(temp, "A", 0, 0, 10);
        Shapefile cut = polygonFile({{square(20, 0, 10)}});
        cut.shp.truncate(150);
        writeShapefile(temp, "B.SHP", cut);
        writeSquare(temp, "C", 40, 0, 10);
        MapDocument map;
        const MapDataSource* source = map.OpenDataSource("Data1", temp);
        QVERIFY(source);
        QCOMPARE(source->tableCount(), 2);
        QCOMPARE(source->table(0)->baseName(), QStringLiteral("A"));
        QCOMPARE(source->table(1)->baseName(), QStringLiteral("C"));
        QCOMPARE(map.lastProblems().size(), 1);
        QVERIFY2(map.lastProblems().at(0).where.contains("/B."),
                 qPrintable(map.lastProblems().at(0).where));
    }

    void noSourceWithoutShapefiles()
    {
        TestFolder folder;
        folder.makeFolder("empty");
        folder.writeFile("index only/X.SHX", polygonFile({{square(0, 0, 1)}}).shx);
        MapDocument map;
        for (const char* name : {"missing", "empty", "index only"})
            QVERIFY2(!map.OpenDataSource("Data1", folder.file(name)), name);
        QVERIFY(map.DataSources().isEmpty());
    }

    void viewsAndClosing()
    {
        TestFolder folder;
        const QString temp = folder.file("temp");
        writeSquare(temp, "u", 0, 0, 50);
        writeSquare(temp, "v", 200, 0, 50);
        writeSquare(folder.file("other"), "Q", 0, 0, 10);
        MapDocument map;
        map.viewport().resize(QSizeF(500, 250));
        MapDataSource* data = map.OpenDataSource("Data1", temp);
        MapDataSource* other = map.OpenDataSource("Data2", folder.file("other"));
        QVERIFY(data && other);
        QCOMPARE(map.DataSources().at(0), other); // the source opened last comes first
        const auto stranger = MapDataSource::openFolder("Data1", temp);
        QVERIFY(!map.AddView("VIEW 0", stranger->table(0).get())); // not opened by this map
        QVERIFY(map.AddView("VIEW 1", data->table(1).get()));
        QVERIFY(map.AddView("VIEW 2", data->table(0).get()));
        QVERIFY(map.AddView("VIEW 3", other));
        QCOMPARE(map.views().at(0)->tables().at(0)->baseName(), QStringLiteral("v"));
        QVERIFY(map.ZoomAll());
        QVERIFY(map.MinX() <= 0 && map.MaxX() >= 250 && map.MinY() <= 0 && map.MaxY() >= 50);
        // Everything was read when the source opened; no file stays open.
        QCOMPARE(openFilesUnder(temp), 0);

        QVERIFY(map.CloseDataSource("Data1"));
        QVERIFY(!map.CloseDataSource("Data1"));
        QCOMPARE(map.viewCount(), 1);
        QCOMPARE(map.views().at(0)->name(), QStringLiteral("VIEW 3"));
        QCOMPARE(map.DataSources().size(), 1);
    }

    void singleFileGivesKindOneSource()
    {
        TestFolder folder;
        writeSquare(folder.file("GPS"), "M1", 0, 0, 10);
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
};

QTEST_APPLESS_MAIN(TestMapDataSource)
#include "tst_mapdatasource.moc"
