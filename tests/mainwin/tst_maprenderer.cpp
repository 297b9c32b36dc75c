#include "MapDocument.h"
#include "MapRenderer.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using ShapeFixture::square;

namespace {
const QRgb white = qRgb(255, 255, 255);

// Three 100 m squares side by side at x = 0, 200, 400, in files A, B, C.
void writeThreePlots(const QString& folder)
{
    ShapeFixture::writeSquare(folder, "A", 0, 0, 100);
    ShapeFixture::writeSquare(folder, "B", 200, 0, 100);
    ShapeFixture::writeSquare(folder, "C", 400, 0, 100);
}

// Opens folder as Data1 with one view per table, coloured in table order.
void showFolder(MapDocument& map, const QString& folder, const QList<int>& colours)
{
    MapDataSource* source = map.OpenDataSource("Data1", folder);
    QVERIFY(source);
    for (int k = source->tableCount() - 1; k >= 0; --k) {
        MapView* view = map.AddView("VIEW", source->table(k).get());
        if (k < colours.size())
            view->setColour(colours.at(k));
    }
}

QImage render(const MapDocument& map, const QSize& size, const MapExtent& window,
              bool* drawn = nullptr)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const bool ok = MapRenderer::paint(painter, QRectF(QPointF(0, 0), size), window, map.views());
    if (drawn)
        *drawn = ok;
    return image;
}

QRgb at(const QImage& image, const MapViewport& viewport, double x, double y)
{
    return image.pixel(viewport.toPixel(QPointF(x, y)).toPoint());
}
} // namespace

class TestMapRenderer : public QObject {
    Q_OBJECT
private slots:
    void plotsShowTheirColours_data();
    void plotsShowTheirColours();
    void holesShowTheBackground();
    void laterViewsLieOnTop();
    void uncolouredViewGetsDefaultFill();
    void realFieldsAreDrawn();
};

void TestMapRenderer::plotsShowTheirColours_data()
{
    QTest::addColumn<QList<int>>("colours");
    QTest::addColumn<QList<QRgb>>("expected");
    QTest::newRow("red green blue")
        << QList<int>{255, 65280, 16711680}
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    QTest::newRow("mixed") << QList<int>{0x00FFFF, 0x804020, 0x123456}
                           << QList<QRgb>{qRgb(255, 255, 0), qRgb(0x20, 0x40, 0x80),
                                          qRgb(0x56, 0x34, 0x12)};
}

void TestMapRenderer::plotsShowTheirColours()
{
    QFETCH(QList<int>, colours);
    QFETCH(QList<QRgb>, expected);
    TestFolder folder;
    writeThreePlots(folder.file("temp"));
    MapDocument map;
    showFolder(map, folder.file("temp"), colours);
    map.viewport().resize(QSizeF(600, 200));
    map.ZoomAll();
    bool drawn = false;
    const QImage image = render(map, QSize(600, 200), map.viewport().window(), &drawn);
    QVERIFY(drawn);
    for (int k = 0; k < 3; ++k)
        QCOMPARE(at(image, map.viewport(), 200 * k + 50, 50), expected.at(k));
    QCOMPARE(at(image, map.viewport(), 150, 50), white); // between the plots
    QCOMPARE(image.pixel(1, 1), white);
    // A dark outline lies on the left edge of the first plot.
    const QPoint edge = map.viewport().toPixel(QPointF(0, 50)).toPoint();
    int darkest = 255;
    for (int x = edge.x() - 2; x <= edge.x() + 2; ++x)
        darkest = std::min(darkest, qGray(image.pixel(x, edge.y())));
    QVERIFY2(darkest < 100, qPrintable(QString::number(darkest)));
}

void TestMapRenderer::holesShowTheBackground()
{
    TestFolder folder;
    ShapeFixture::writePolygons(folder.file("temp"), "H",
                                {{square(0, 0, 300), square(100, 100, 100, true)}});
    MapDocument map;
    showFolder(map, folder.file("temp"), {255});
    map.viewport().resize(QSizeF(300, 300));
    map.ZoomAll();
    const QImage image = render(map, QSize(300, 300), map.viewport().window());
    QCOMPARE(at(image, map.viewport(), 150, 150), white);
    QCOMPARE(at(image, map.viewport(), 50, 50), qRgb(255, 0, 0));
}

void TestMapRenderer::laterViewsLieOnTop()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("temp"), "A", 0, 0, 100);
    ShapeFixture::writeSquare(folder.file("temp"), "B", 50, 50, 100);
    MapDocument map;
    // Views from the last table to the first: VIEW 1 shows B, VIEW 2 shows A on top.
    showFolder(map, folder.file("temp"), {255, 16711680});
    map.viewport().resize(QSizeF(300, 300));
    map.ZoomAll();
    const QImage image = render(map, QSize(300, 300), map.viewport().window());
    QCOMPARE(at(image, map.viewport(), 75, 75), qRgb(255, 0, 0));
    QCOMPARE(at(image, map.viewport(), 125, 125), qRgb(0, 0, 255));
}

void TestMapRenderer::uncolouredViewGetsDefaultFill()
{
    TestFolder folder;
    ShapeFixture::writeSquare(folder.file("temp"), "A", 0, 0, 100);
    MapDocument map;
    showFolder(map, folder.file("temp"), {});
    map.viewport().resize(QSizeF(100, 100));
    map.ZoomAll();
    const QImage image = render(map, QSize(100, 100), map.viewport().window());
    QCOMPARE(QColor(at(image, map.viewport(), 50, 50)), MapStyle().defaultFill);
}

void TestMapRenderer::realFieldsAreDrawn()
{
    TestFolder folder;
    if (ShapeFixture::unzipRealFields(folder.file("temp")).isEmpty())
        QSKIP("real field boundaries or unzip not available");
    MapDocument map;
    showFolder(map, folder.file("temp"), {255});
    QCOMPARE(map.DataSources().at(0)->tableCount(), 1);
    map.viewport().resize(QSizeF(800, 600));
    QVERIFY(map.ZoomAll());
    const auto share = [](const QImage& image, auto test) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += test(image.pixel(x, y));
        return double(count) / (image.width() * image.height());
    };
    // Whole extent: 100 fields over 270 km, a pixel or two each.
    const QImage all = render(map, QSize(800, 600), map.viewport().window());
    QVERIFY(share(all, [](QRgb p) { return p != white; }) * 800 * 600 > 50);

    // Zoomed onto one field, its colour fills a good part of the map.
    const MapExtent field = map.views().at(0)->tables().at(0)->shapes().at(0).bounds;
    QVERIFY(map.SetExtent(field.minX, field.minY, field.maxX, field.maxY));
    const QImage close = render(map, QSize(800, 600), map.viewport().window());
    QVERIFY(share(close, [](QRgb p) { return p == qRgb(255, 0, 0); }) > 0.1);
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    TestMapRenderer test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_maprenderer.moc"
