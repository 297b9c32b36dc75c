#include "MapControl.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {
// Plots A (red), B (green), C (blue): 100 m squares at x = 0, 200, 400.
void showThreePlots(MapControl& map, const QString& folder)
{
    ShapeFixture::writeSquare(folder, "A", 0, 0, 100);
    ShapeFixture::writeSquare(folder, "B", 200, 0, 100);
    ShapeFixture::writeSquare(folder, "C", 400, 0, 100);
    const QList<int> colours{255, 65280, 16711680};
    MapDataSource* source = map.OpenDataSource("Data1", folder);
    QVERIFY(source);
    for (int k = source->tableCount() - 1; k >= 0; --k)
        map.AddView("VIEW", source->table(k).get())->setColour(colours.at(k));
    map.ZoomAll();
}
} // namespace

class TestMapControl : public QObject {
    Q_OBJECT
private slots:
    void mousePressReportsMapCoordinates_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("left") << Qt::LeftButton << 1;
        QTest::newRow("right") << Qt::RightButton << 2;
        QTest::newRow("middle") << Qt::MiddleButton << 4;
    }
    void mousePressReportsMapCoordinates()
    {
        QFETCH(Qt::MouseButton, button);
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
        QTEST(spy.at(0).at(2).toInt(), "code");
        // Recentring is the owner's decision, not the control's.
        QCOMPARE(map.document().viewport().window(), before);
    }

    void windowChangesAreReported()
    {
        TestFolder folder;
        MapControl map;
        map.resize(300, 200);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        showThreePlots(map, folder.file("temp"));
        map.SetExtent(0, 0, 30, 20);
        QSignalSpy spy(&map, &MapControl::mapChanged);
        // Each change of the visible window is reported once; a call that
        // changes nothing is not.
        const auto reports = [&](auto change) {
            spy.clear();
            change();
            return spy.count();
        };
        QCOMPARE(reports([&] { map.ZoomAll(); }), 1);
        QCOMPARE(reports([&] { map.ZoomBy(1.25); }), 1);
        QCOMPARE(reports([&] { map.ZoomBy(0); }), 0);
        QCOMPARE(reports([&] { map.ZoomAt(10, 0, 1.0); }), 1);
        QCOMPARE(reports([&] { map.SetExtent(100, 100, 200, 200); }), 1);
        QCOMPARE(reports([&] { map.setScale(5000); }), 1);
        QCOMPARE(reports([&] { map.setScale(0); }), 0);
        QCOMPARE(reports([&] { map.resize(320, 200); }), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 2); // the window changed
    }

    void resizeAfterShowKeepsCentreAndScale()
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
    }

    void zoomAllBeforeShowStillShowsEverything()
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

    void drawToDcRendersIntoImage()
    {
        TestFolder folder;
        MapControl map;
        map.resize(200, 200);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        QVERIFY(!map.DrawToDC(painter, 0, 0, 500, 100, QRect(0, 100, 400, 200))); // no data
        QCOMPARE(image.pixel(200, 200), qRgb(0, 0, 0));

        showThreePlots(map, folder.file("temp"));
        const MapExtent before = map.document().viewport().window();
        QVERIFY(map.DrawToDC(painter, 0, 0, 500, 100, QRect(0, 100, 400, 200)));
        QVERIFY(!map.DrawToDC(painter, 5, 5, 5, 5, QRect(0, 100, 400, 200))); // paints nothing
        painter.end();
        // 500 m over 400 px; the 100 m band is centred in the 200 px high rectangle.
        QCOMPARE(image.pixel(40, 200), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(200, 200), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(360, 200), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(200, 120), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(200, 50), qRgb(0, 0, 0)); // above the rectangle
        QCOMPARE(map.document().viewport().window(), before);
    }
};

QTEST_MAIN(TestMapControl)
#include "tst_mapcontrol.moc"
