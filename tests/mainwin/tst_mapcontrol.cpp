#include "MapControl.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
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

void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

void wheel(QWidget& widget, QPoint at, int angle)
{
    QWheelEvent event(QPointF(at), widget.mapToGlobal(QPointF(at)), {}, QPoint(0, angle),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
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

    void mouseGesturesNavigate_data()
    {
        // The map shows (1000, 2000)-(1400, 2300) at 1 m per pixel on 400 x 300 pixels.
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("metresPerPixel");
        QTest::addColumn<QPointF>("centre");
        QTest::addColumn<int>("clicks");  // mouseEvent reports
        QTest::addColumn<int>("zoomed");  // zoomedByMouse reports
        QTest::newRow("click") << "drag" << QPoint(100, 75) << QPoint(100, 75) << 1.0
                               << QPointF(1200, 2150) << 1 << 0;
        QTest::newRow("wheel in one notch about the pointer")
            << "wheel" << QPoint(100, 75) << QPoint(0, 120) << 0.8 << QPointF(1180, 2165) << 0
            << 1;
        QTest::newRow("wheel out two notches")
            << "wheel" << QPoint(200, 150) << QPoint(0, -240) << 1.5625 << QPointF(1200, 2150)
            << 0 << 1;
        QTest::newRow("half a notch waits for the rest")
            << "wheel" << QPoint(100, 75) << QPoint(0, 60) << 1.0 << QPointF(1200, 2150) << 0
            << 0;
        QTest::newRow("drag pans live") << "drag" << QPoint(100, 75) << QPoint(150, 45) << 1.0
                                        << QPointF(1150, 2120) << 0 << 0;
        QTest::newRow("shift drag zooms to the box")
            << "box" << QPoint(100, 75) << QPoint(300, 225) << 0.5 << QPointF(1200, 2150) << 0
            << 1;
        QTest::newRow("shift click centres") << "box" << QPoint(100, 75) << QPoint(101, 76) << 1.0
                                             << QPointF(1200, 2150) << 1 << 0;
        QTest::newRow("Esc puts a drag back") << "escape" << QPoint(100, 75) << QPoint(150, 45)
                                              << 1.0 << QPointF(1200, 2150) << 0 << 0;
    }
    void mouseGesturesNavigate()
    {
        QFETCH(QString, gesture);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPointF, centre);
        QFETCH(double, metresPerPixel);
        TestFolder folder;
        MapControl map;
        map.resize(400, 300);
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        showThreePlots(map, folder.file("temp"));
        map.SetExtent(1000, 2000, 1400, 2300);
        QSignalSpy clicks(&map, &MapControl::mouseEvent);
        QSignalSpy zoomed(&map, &MapControl::zoomedByMouse);
        if (gesture == "wheel") {
            wheel(map, from, to.y());
        } else {
            const Qt::KeyboardModifiers modifiers =
                gesture == "box" ? Qt::ShiftModifier : Qt::NoModifier;
            send(map, QEvent::MouseButtonPress, from, modifiers);
            send(map, QEvent::MouseMove, (from + to) / 2, modifiers);
            send(map, QEvent::MouseMove, to, modifiers);
            if (gesture == "escape")
                QTest::keyClick(&map, Qt::Key_Escape);
            send(map, QEvent::MouseButtonRelease, to, modifiers);
        }
        const MapViewport& v = map.document().viewport();
        QCOMPARE(v.metresPerPixel(), metresPerPixel);
        QCOMPARE(v.centre(), centre);
        QTEST(int(clicks.count()), "clicks");
        QTEST(int(zoomed.count()), "zoomed");
        if (!clicks.isEmpty()) // the point pressed, in metres
            QCOMPARE(QPointF(clicks.at(0).at(0).toDouble(), clicks.at(0).at(1).toDouble()),
                     QPointF(1100, 2225));
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
