#include "BackgroundRelease.h"
#include "MapDocument.h"
#include "MapRenderer.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QThread>

#include <cmath>

using namespace ShapeFixture;

namespace {
const QRgb white = qRgb(255, 255, 255);

// Opens folder as Data1 with one view per table, the last table first,
// coloured (BGR) in table order; zoomed to all on a map of size pixels.
void showFolder(MapDocument& map, const QString& folder, const QList<int>& colours, QSize size)
{
    MapDataSource* source = map.OpenDataSource("Data1", folder);
    QVERIFY(source);
    for (int k = source->tableCount() - 1; k >= 0; --k) {
        MapView* view = map.AddView("VIEW", source->table(k).get());
        if (k < colours.size())
            view->setColour(colours.at(k));
    }
    map.viewport().resize(size);
    QVERIFY(map.ZoomAll());
}

QImage render(const MapDocument& map, bool* drawn = nullptr, RenderCache* cache = nullptr)
{
    QImage image(map.viewport().size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const bool ok = MapRenderer::paint(painter, image.rect(), map.viewport().window(), map.views(),
                                       {}, nullptr, cache);
    if (drawn)
        *drawn = ok;
    return image;
}

// Whether two pictures show the same: edges may lie up to half a pixel
// apart (vertices reduced to the pixel grid in another order of rounding).
bool sameDrawing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    if (largest > 96)
        qWarning("pictures differ by %d in a colour channel", largest);
    return largest <= 96;
}

QRgb at(const QImage& image, const MapDocument& map, double x, double y)
{
    return image.pixel(map.viewport().toPixel(QPointF(x, y)).toPoint());
}

// A closed ring of many vertices around (100, 100): clockwise, or
// counter-clockwise for a hole.
QPolygonF circle(double radius, bool hole)
{
    constexpr int vertices = 2000;
    QPolygonF ring;
    for (int i = 0; i <= vertices; ++i) {
        const double angle = (hole ? 2 : -2) * M_PI * (i % vertices) / vertices;
        ring.append(QPointF(100 + radius * std::cos(angle), 100 + radius * std::sin(angle)));
    }
    return ring;
}

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

class TestMapRenderer : public QObject {
    Q_OBJECT
private slots:
    void plotsShowTheirColours()
    {
        TestFolder folder;
        writeSquare(folder.file("temp"), "A", 0, 0, 100);
        writeSquare(folder.file("temp"), "B", 200, 0, 100);
        writeSquare(folder.file("temp"), "C", 400, 0, 100);
        MapDocument map;
        // Colours are stored blue-green-red; C has none.
        showFolder(map, folder.file("temp"), {0x00FFFF, 0x804020}, QSize(600, 200));
        bool drawn = false;
        const QImage image = render(map, &drawn);
        QVERIFY(drawn);
        // A, B, C, between the plots, a corner.
        QCOMPARE((QList<QRgb>{at(image, map, 50, 50), at(image, map, 250, 50),
                              at(image, map, 450, 50), at(image, map, 150, 50), image.pixel(1, 1)}),
                 (QList<QRgb>{qRgb(255, 255, 0), qRgb(0x20, 0x40, 0x80),
                              MapStyle().defaultFill.rgb(), white, white}));
        // A dark outline lies on the left edge of the first plot.
        const QPoint edge = map.viewport().toPixel(QPointF(0, 50)).toPoint();
        int darkest = 255;
        for (int x = edge.x() - 2; x <= edge.x() + 2; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, edge.y())));
        QVERIFY2(darkest < 100, qPrintable(QString::number(darkest)));
    }

    void holesAndOverlaps()
    {
        TestFolder folder;
        writePolygons(folder.file("temp"), "A", {{square(0, 0, 300), square(100, 100, 100, true)}});
        writeSquare(folder.file("temp"), "B", 250, 250, 100);
        MapDocument map;
        // Views from the last table to the first: B at the bottom, A on top.
        showFolder(map, folder.file("temp"), {255, 16711680}, QSize(350, 350));
        const QImage image = render(map);
        // The hole, A, A over B, B.
        QCOMPARE((QList<QRgb>{at(image, map, 150, 150), at(image, map, 50, 50),
                              at(image, map, 275, 275), at(image, map, 325, 325)}),
                 (QList<QRgb>{white, qRgb(255, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)}));
    }

    // Shapes far smaller on screen than their vertex count are drawn reduced
    // to the pixel grid; they must still cover what they cover at full detail.
    void denseRingWithHoleDrawnSmall_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("tiny") << 24;
        QTest::newRow("small") << 80;
    }
    void denseRingWithHoleDrawnSmall()
    {
        QFETCH(int, side);
        TestFolder folder;
        writePolygons(folder.file("temp"), "A", {{circle(100, false), circle(40, true)}});
        MapDocument map;
        showFolder(map, folder.file("temp"), {0x0000FF}, QSize(side, side));
        bool drawn = false;
        const QImage image = render(map, &drawn);
        QVERIFY(drawn);
        QCOMPARE(at(image, map, 100, 100), white);           // the hole
        QCOMPARE(at(image, map, 170, 100), qRgb(255, 0, 0)); // the ring
        int red = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100;
        const double pixelsPerMetre = side / map.viewport().window().width();
        const double expected = M_PI * (100 * 100 - 40 * 40) * pixelsPerMetre * pixelsPerMetre;
        QVERIFY2(std::abs(red - expected) < 0.25 * expected,
                 qPrintable(QStringLiteral("%1 of %2").arg(red).arg(expected)));
    }

    // A map control keeps the shapes as drawn between paints; what it draws
    // from them must be what a paint without them draws, after the views'
    // colours, the window or the scale changed as well.
    void cachedPaintsMatch_data()
    {
        QTest::addColumn<int>("side");   // of the picture, in pixels
        QTest::addColumn<QString>("change");
        for (const int side : {60, 800})
            for (const char* change :
                 {"none", "colour", "pan", "zoom", "zoom back", "view added", "closed"})
                QTest::addRow("%d %s", side, change) << side << QString::fromLatin1(change);
    }
    void cachedPaintsMatch()
    {
        QFETCH(int, side);
        QFETCH(QString, change);
        TestFolder folder;
        writePolygons(folder.file("temp"), "A", {{circle(100, false), circle(40, true)}});
        writeSquare(folder.file("temp"), "B", 150, 150, 100);
        writePolygons(folder.file("temp"), "C", {{circle(30, false)}, {square(-50, -50, 20)}});
        MapDocument map;
        showFolder(map, folder.file("temp"), {0x0000FF, 0xFF0000}, QSize(side, side));
        RenderCache cache;
        QVERIFY(sameDrawing(render(map, nullptr, &cache), render(map)));
        if (change == "colour")
            const_cast<MapView*>(map.views().first())->setColour(0x00FF00);
        else if (change == "pan")
            map.SetExtent(map.MinX() + 37.5, map.MinY() - 12.25, map.MaxX() + 37.5,
                          map.MaxY() - 12.25);
        else if (change == "zoom")
            map.ZoomBy(3);
        else if (change == "zoom back") {
            // Drawn at another scale in between: the shapes reduced at the
            // first come back.
            const MapExtent before = map.viewport().window();
            map.ZoomBy(3);
            QVERIFY(sameDrawing(render(map, nullptr, &cache), render(map)));
            map.SetExtent(before.minX, before.minY, before.maxX, before.maxY);
        } else if (change == "view added") {
            MapView* top = map.AddView("VIEW 9", map.views().first()->tables().first().get());
            QVERIFY(top);
            top->setColour(0x00FF00);
        }
        else if (change == "closed")
            map.CloseDataSource("Data1");
        bool drawn = false;
        const QImage cached = render(map, &drawn, &cache);
        QCOMPARE(drawn, change != "closed");
        QVERIFY(sameDrawing(cached, render(map)));
    }

    void realFieldsAreReadAndDrawn()
    {
        TestFolder folder;
        if (unzipRealFields(folder.file("temp")).isEmpty())
            QSKIP("real field boundaries or unzip not available");
        MapDocument map;
        showFolder(map, folder.file("temp"), {255}, QSize(800, 600));
        const QList<MapShape>& shapes = map.views().at(0)->tables().at(0)->shapes();
        QCOMPARE(shapes.size(), realFieldCount);
        int twoParts = 0;
        for (const MapShape& shape : shapes) {
            QVERIFY(shape.parts.size() == 1 || shape.parts.size() == 2);
            twoParts += shape.parts.size() == 2;
            // Each part is a closed ring of its own, not one ring across both.
            for (const QPolygonF& ring : shape.parts)
                QCOMPARE(ring.first(), ring.last());
        }
        QCOMPARE(twoParts, realTwoPartFieldCount);
        // ETRS89 / UTM 32N: eastings around 0.5 million, northings around 6 million metres.
        const MapExtent all = map.dataExtent();
        QVERIFY(all.minX > 400000 && all.maxX < 800000 && all.minY > 6000000 && all.maxY < 6500000);
        const auto share = [](const QImage& image, auto test) {
            int count = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    count += test(image.pixel(x, y));
            return double(count) / (image.width() * image.height());
        };
        // Whole extent: 100 fields over 270 km, a pixel or two each.
        QVERIFY(share(render(map), [](QRgb p) { return p != white; }) * 800 * 600 > 50);
        // Zoomed onto one field, its colour fills a good part of the map.
        const MapExtent field = shapes.at(0).bounds;
        QVERIFY(map.SetExtent(field.minX, field.minY, field.maxX, field.maxY));
        QVERIFY(share(render(map), [](QRgb p) { return p == qRgb(255, 0, 0); }) > 0.1);
    }

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

    // What a closed source held is freed on the release thread, never on the
    // caller's, and all of it before the document is gone.
    void releaseFreesOnItsOwnThread()
    {
        struct Probe {
            std::shared_ptr<QThread*> freedOn;
            Probe() = default;
            explicit Probe(std::shared_ptr<QThread*> on) : freedOn(std::move(on)) {}
            Probe(Probe&&) = default; // the moved-from probe records nothing
            ~Probe()
            {
                if (freedOn)
                    *freedOn = QThread::currentThread();
            }
        };
        const auto freedOn = std::make_shared<QThread*>(nullptr);
        {
            BackgroundRelease release;
            release.release(Probe(freedOn));
            release.release(std::vector<Probe>(3));
        }
        QVERIFY(*freedOn);
        QVERIFY(*freedOn != QThread::currentThread());
    }

    // A folder gives a source of kind 2, a single file one of kind 1; no
    // source without a shapefile to read.
    void singleFileGivesKindOneSource()
    {
        TestFolder folder;
        writeSquare(folder.file("GPS"), "M1", 0, 0, 10);
        folder.makeFolder("empty");
        folder.writeFile("index only/X.SHX", polygonFile({{square(0, 0, 1)}}).shx);
        MapDocument map;
        for (const char* name : {"missing", "empty", "index only"})
            QVERIFY2(!map.OpenDataSource("Data1", folder.file(name)), name);
        QVERIFY(map.DataSources().isEmpty());
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

QTEST_MAIN(TestMapRenderer)
#include "tst_maprenderer.moc"
