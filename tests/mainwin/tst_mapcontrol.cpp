#include "MapControl.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {
const QRgb white = qRgb(255, 255, 255);

// Plots A (red), B (green), C (blue): 100 m squares at x = 0, 200, 400.
void showThreePlots(MapControl& map, const QString& folder)
{
    ShapeFixture::writeSquare(folder, "A", 0, 0, 100);
    ShapeFixture::writeSquare(folder, "B", 200, 0, 100);
    ShapeFixture::writeSquare(folder, "C", 400, 0, 100);
    const QList<int> colours{255, 65280, 16711680};
    map.CloseDataSource("Data1");
    MapDataSource* source = map.OpenDataSource("Data1", folder);
    QVERIFY(source);
    int number = 0;
    for (int k = source->tableCount() - 1; k >= 0; --k) {
        MapView* view = map.AddView("VIEW " + QString::number(++number), source->table(k).get());
        view->setText(source->text());
        view->setColour(colours.at(k));
    }
    map.ZoomAll();
    map.Redraw();
}

QRgb pixelAt(const QImage& image, const MapControl& map, double x, double y)
{
    return image.pixel(map.document().viewport().toPixel(QPointF(x, y)).toPoint());
}
} // namespace

class TestMapControl : public QObject {
    Q_OBJECT
private slots:
    void grabShowsPlotsInTheirColours();
    void mousePressReportsMapCoordinates_data();
    void mousePressReportsMapCoordinates();
    void windowChangesAreReported_data();
    void windowChangesAreReported();
    void resizeAfterShowKeepsCentreAndScale();
    void zoomAllBeforeShowStillShowsEverything();
    void drawToDcRendersIntoImage();
};

void TestMapControl::grabShowsPlotsInTheirColours()
{
    TestFolder folder;
    MapControl map;
    map.setObjectName("tplhaupt");
    map.resize(600, 200);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    showThreePlots(map, folder.file("temp"));
    const QImage image = map.grab().toImage();
    QCOMPARE(image.size(), QSize(600, 200));
    QCOMPARE(pixelAt(image, map, 50, 50), qRgb(255, 0, 0));
    QCOMPARE(pixelAt(image, map, 250, 50), qRgb(0, 255, 0));
    QCOMPARE(pixelAt(image, map, 450, 50), qRgb(0, 0, 255));
    QCOMPARE(pixelAt(image, map, 150, 50), white);
    QCOMPARE(image.pixel(2, 2), white);
}

void TestMapControl::mousePressReportsMapCoordinates_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 2;
    QTest::newRow("middle") << Qt::MiddleButton << 4;
}

void TestMapControl::mousePressReportsMapCoordinates()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, code);
    MapControl map;
    map.resize(400, 300);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    map.SetExtent(1000, 2000, 1400, 2300);
    const MapExtent before = map.document().viewport().window();
    QSignalSpy spy(&map, &MapControl::mouseEvent);
    QTest::mouseClick(&map, button, {}, QPoint(100, 75));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toDouble(), 1100.0); // 1 m per pixel from the left
    QCOMPARE(spy.at(0).at(1).toDouble(), 2225.0); // y up: 75 px below the top
    QCOMPARE(spy.at(0).at(2).toInt(), code);
    // Recentring is the owner's decision, not the control's.
    QCOMPARE(map.document().viewport().window(), before);
}

void TestMapControl::windowChangesAreReported_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("events");
    QTest::newRow("ZoomAll") << "ZoomAll" << 1;
    QTest::newRow("ZoomBy 1.25") << "ZoomBy 1.25" << 1;
    QTest::newRow("ZoomBy 0") << "ZoomBy 0" << 0;
    QTest::newRow("ZoomAt elsewhere") << "ZoomAt 10" << 1;
    QTest::newRow("SetExtent") << "SetExtent" << 1;
    QTest::newRow("Scale 5000") << "Scale 5000" << 1;
    QTest::newRow("Scale 0") << "Scale 0" << 0;
    QTest::newRow("resize") << "resize" << 1;
}

void TestMapControl::windowChangesAreReported()
{
    QFETCH(QString, operation);
    QFETCH(int, events);
    TestFolder folder;
    MapControl map;
    map.resize(300, 200);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    showThreePlots(map, folder.file("temp"));
    map.SetExtent(0, 0, 30, 20);
    const double scale = map.Scale();
    QSignalSpy spy(&map, &MapControl::mapChanged);
    const QString argument = operation.section(' ', 1);
    if (operation == "ZoomAll")
        map.ZoomAll();
    else if (operation.startsWith("ZoomBy"))
        map.ZoomBy(argument.toDouble());
    else if (operation.startsWith("ZoomAt"))
        map.ZoomAt(argument.toDouble(), 0, 1.0);
    else if (operation == "SetExtent")
        map.SetExtent(100, 100, 200, 200);
    else if (operation.startsWith("Scale"))
        map.setScale(argument.toInt());
    else
        map.resize(320, 200);
    QCOMPARE(spy.count(), events);
    if (events)
        QCOMPARE(spy.at(0).at(0).toInt(), 2);
    if (operation == "Scale 0")
        QCOMPARE(map.Scale(), scale);
}

void TestMapControl::resizeAfterShowKeepsCentreAndScale()
{
    MapControl map;
    map.resize(400, 300);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    map.SetExtent(500000, 6000000, 500400, 6000300);
    map.setScale(2880);
    const double centreX = (map.MinX() + map.MaxX()) / 2;
    const double centreY = (map.MinY() + map.MaxY()) / 2;
    map.resize(700, 150);
    QCOMPARE(qRound(map.Scale()), 2880);
    QCOMPARE((map.MinX() + map.MaxX()) / 2, centreX);
    QCOMPARE((map.MinY() + map.MaxY()) / 2, centreY);
    // k = width in twips / visible width in metres; scale = 56700 / k.
    QCOMPARE(qRound(56700.0 / (map.width() * 15 / (map.MaxX() - map.MinX()))), 2880);
}

void TestMapControl::zoomAllBeforeShowStillShowsEverything()
{
    TestFolder folder;
    QWidget window;
    auto* map = new MapControl(&window); // still at a child's default size
    showThreePlots(*map, folder.file("temp"));
    map->setGeometry(0, 0, 500, 400);
    window.resize(500, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const double margin = 500 * MapViewport::zoomAllMargin;
    QCOMPARE(map->MinX(), -margin);
    QCOMPARE(map->MaxX(), 500 + margin);
    QVERIFY(map->MinY() <= 0 && map->MaxY() >= 100);
}

void TestMapControl::drawToDcRendersIntoImage()
{
    TestFolder folder;
    MapControl map;
    map.resize(200, 200);
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    QVERIFY(!map.DrawToDC(painter, 0, 0, 500, 100, QRect(0, 100, 400, 200)));
    QCOMPARE(image.pixel(200, 200), qRgb(0, 0, 0)); // nothing painted

    showThreePlots(map, folder.file("temp"));
    const MapExtent before = map.document().viewport().window();
    QVERIFY(map.DrawToDC(painter, 0, 0, 500, 100, QRect(0, 100, 400, 200)));
    QVERIFY(!map.DrawToDC(painter, 5, 5, 5, 5, QRect(0, 100, 400, 200)));
    painter.end();
    // 500 m over 400 px; the 100 m band is centred in the 200 px high rectangle.
    QCOMPARE(image.pixel(40, 200), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(200, 200), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(360, 200), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(200, 120), white);
    QCOMPARE(image.pixel(200, 50), qRgb(0, 0, 0)); // above the rectangle
    QCOMPARE(map.document().viewport().window(), before);
}

QTEST_MAIN(TestMapControl)
#include "tst_mapcontrol.moc"
