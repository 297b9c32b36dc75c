#include "MapNavigation.h"
#include "MapViewport.h"
#include "RulerMarks.h"
#include "StatusStripLayout.h"

#include <QtTest>

#include <cmath>

using MapNavigation::Direction;
using MapNavigation::Extent;

namespace {
// A viewport on a widget of widthPx x heightPx showing the given window.
MapViewport viewport(double widthPx, double heightPx, const MapExtent& window)
{
    MapViewport v;
    v.resize(QSizeF(widthPx, heightPx));
    v.setExtent(window);
    return v;
}

// "" when each actual value lies within a relative tolerance of the expected one.
QString near(const QList<double>& actual, const QList<double>& expected, double tolerance = 1e-6)
{
    for (qsizetype i = 0; i < expected.size(); ++i)
        if (!(std::abs(actual.at(i) - expected.at(i)) <=
              tolerance * std::max(1.0, std::abs(expected.at(i)))))
            return QStringLiteral("value %1: %2 instead of %3")
                .arg(i)
                .arg(actual.at(i), 0, 'g', 12)
                .arg(expected.at(i), 0, 'g', 12);
    return {};
}
} // namespace

class TestMapViewport : public QObject {
    Q_OBJECT
private slots:
    void setExtentFitsAspect_data()
    {
        QTest::addColumn<QSizeF>("widget");
        QTest::addColumn<QRectF>("extent"); // x, y, width, height in metres
        QTest::addColumn<double>("scale");  // 56700 / (widget twips / window metres across)
        QTest::newRow("k = 10") << QSizeF(10000 / 15.0, 10) << QRectF(0, 0, 1000, 1) << 5670.0;
        QTest::newRow("taller extent") << QSizeF(400, 200) << QRectF(0, 0, 100, 500) << 9450.0;
        QTest::newRow("wider extent") << QSizeF(300, 600) << QRectF(-50, 20, 1000, 10) << 12600.0;
        QTest::newRow("flat line") << QSizeF(300, 200) << QRectF(5, 7, 90, 0) << 1134.0;
        QTest::newRow("utm coordinates")
            << QSizeF(1600, 1000) << QRectF(470534, 6106184, 210087, 273092) << 1032287.76;
    }
    void setExtentFitsAspect()
    {
        QFETCH(QSizeF, widget);
        QFETCH(QRectF, extent);
        QFETCH(double, scale);
        const MapExtent wanted =
            MapExtent::of(extent.left(), extent.top(), extent.right(), extent.bottom());
        const MapViewport v = viewport(widget.width(), widget.height(), wanted);
        // Same metres per pixel across and up, centred, all of the extent shown.
        QCOMPARE(near({v.scale(), (v.maxX() - v.minX()) / widget.width(), v.centre().x(),
                       v.centre().y()},
                      {scale, (v.maxY() - v.minY()) / widget.height(), extent.center().x(),
                       extent.center().y()}),
                 QString());
        QVERIFY(v.minX() <= wanted.minX + 1e-6 && v.maxX() >= wanted.maxX - 1e-6);
        QVERIFY(v.minY() <= wanted.minY + 1e-6 && v.maxY() >= wanted.maxY - 1e-6);
    }

    void zoomKeepsOrMovesCentre_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("value"); // zoom factor or scale
        QTest::addColumn<double>("scale"); // expected, from 1:1000 at the start
        QTest::newRow("ZoomBy 1.25 enlarges") << "by" << 500.0 << 400.0 << 1.25 << 800.0;
        QTest::newRow("ZoomAt 1.0 recentres") << "at" << 123.5 << -40.25 << 1.0 << 1000.0;
        QTest::newRow("ZoomAt 2 recentres, enlarges") << "at" << 900.0 << 900.0 << 2.0 << 500.0;
        QTest::newRow("ZoomAt 0 only recentres") << "at" << 10.0 << 20.0 << 0.0 << 1000.0;
        QTest::newRow("scale 1:1") << "scale" << 500.0 << 400.0 << 1.0 << 1.0;
        QTest::newRow("largest 32-bit scale")
            << "scale" << 500.0 << 400.0 << 2147483647.0 << 2147483647.0;
    }
    void zoomKeepsOrMovesCentre()
    {
        QFETCH(QString, operation);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, value);
        QFETCH(double, scale);
        MapViewport v = viewport(500, 400, MapExtent::of(0, 0, 1000, 800)); // centre (500, 400)
        QVERIFY(v.setScale(1000));
        if (operation == "by")
            QVERIFY(v.zoomBy(value));
        else if (operation == "at")
            QVERIFY(v.zoomAt(x, y, value));
        else
            QVERIFY(v.setScale(value));
        QCOMPARE(near({v.centre().x(), v.centre().y(), v.scale(), v.maxX() - v.minX(),
                       (v.maxX() - v.minX()) / 500},
                      {x, y, scale, scale * 500 / 3780.0, (v.maxY() - v.minY()) / 400}),
                 QString());
    }

    void pixelRoundTrip()
    {
        MapViewport v = viewport(733, 411, MapExtent::of(574000, 6239000, 576000, 6241000));
        v.zoomBy(1.25);
        for (const QPointF world : {QPointF(575000, 6240000), QPointF(-12.5, 7e6)}) {
            const QPointF back = v.toWorld(v.toPixel(world));
            QCOMPARE(near({back.x(), back.y()}, {world.x(), world.y()}, 1e-9), QString());
        }
        // y runs down in pixels and up in metres.
        QVERIFY(v.toPixel(QPointF(575000, 6240001)).y() < v.toPixel(QPointF(575000, 6240000)).y());
    }

    void mouseNavigation_data()
    {
        // A 400 x 300 pixel map at 1 m per pixel showing (0, 0)-(400, 300).
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QRectF>("pixels"); // about: the pointer; pan: the drag; box: the box
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("metresPerPixel");
        QTest::addColumn<QPointF>("from"); // the ground under this pixel before
        QTest::addColumn<QPointF>("to");   // lies under this one after
        QTest::newRow("wheel in at a corner")
            << "about" << QRectF(100, 50, 0, 0) << 2.0 << 0.5 << QPointF(100, 50)
            << QPointF(100, 50);
        QTest::newRow("wheel out near the edge")
            << "about" << QRectF(390, 290, 0, 0) << 0.8 << 1.25 << QPointF(390, 290)
            << QPointF(390, 290);
        QTest::newRow("drag right and up")
            << "pan" << QRectF(30, -20, 0, 0) << 1.0 << 1.0 << QPointF(0, 0) << QPointF(30, -20);
        QTest::newRow("box of the widget's shape")
            << "box" << QRectF(100, 50, 200, 150) << 1.0 << 0.5 << QPointF(100, 50)
            << QPointF(0, 0);
        QTest::newRow("tall box drawn backwards")
            << "box" << QRectF(250, 250, -50, -200) << 1.0 << 2.0 / 3.0 << QPointF(225, 150)
            << QPointF(200, 150);
    }
    void mouseNavigation()
    {
        QFETCH(QString, operation);
        QFETCH(QRectF, pixels);
        QFETCH(double, factor);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        QFETCH(double, metresPerPixel);
        MapViewport v = viewport(400, 300, MapExtent::of(0, 0, 400, 300));
        const QPointF ground = v.toWorld(from);
        bool done = false;
        if (operation == "about")
            done = v.zoomAbout(pixels.topLeft(), factor);
        else if (operation == "pan")
            done = v.panByPixels(pixels.topLeft());
        else
            done = v.zoomToPixels(pixels);
        QVERIFY(done);
        const QPointF after = v.toPixel(ground);
        QCOMPARE(near({v.metresPerPixel(), after.x(), after.y()},
                      {metresPerPixel, to.x(), to.y()}),
                 QString());
        // A flat box and an unsized map change nothing.
        QVERIFY(!v.zoomToPixels(QRectF(10, 10, 50, 0)));
        QVERIFY(!MapViewport().zoomAbout(QPointF(1, 1), 2.0));
    }

    void degenerateInputKeepsWindow()
    {
        MapViewport v = viewport(300, 300, MapExtent::of(0, 0, 100, 100));
        const MapExtent before = v.window();
        QVERIFY(!v.setScale(0));
        QVERIFY(!v.setScale(-500));
        QVERIFY(!v.setScale(NAN));
        QVERIFY(!v.zoomBy(0));
        QVERIFY(!v.zoomBy(INFINITY));
        QVERIFY(!v.setExtent(MapExtent::of(0, 0, NAN, 10)));
        QVERIFY(!v.zoomAt(INFINITY, 0, 1.0));
        QCOMPARE(v.window(), before);
    }

    void singlePointCentresAndKeepsScale()
    {
        MapViewport v = viewport(400, 300, MapExtent::of(0, 0, 400, 300));
        const double scale = v.scale();
        QVERIFY(v.setExtent(MapExtent::of(1000, 2000, 1000, 2000)));
        QCOMPARE(v.centre(), QPointF(1000, 2000));
        QCOMPARE(near({v.scale()}, {scale}), QString());

        // Without a size there is no scale, and nothing becomes infinite.
        MapViewport unsized;
        QCOMPARE(unsized.scale(), 0.0);
        QVERIFY(!unsized.setScale(1000));
        QVERIFY(unsized.setExtent(MapExtent::of(5, 5, 5, 5)));
        QVERIFY(unsized.zoomBy(1e-300));
        unsized.resize(QSizeF(0, 100));
        for (double value : {unsized.minX(), unsized.minY(), unsized.maxX(), unsized.maxY()})
            QVERIFY(std::isfinite(value));
    }

    void zoomLimits_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("zoom in at 2") << 2 << 1.25 << true;
        QTest::newRow("zoom out at 9,000,000") << 9000000 << 0.8 << false;
        QTest::newRow("factor 1 does nothing") << 5000 << 1.0 << false;
    }
    void zoomLimits()
    {
        QFETCH(int, scale);
        QFETCH(double, factor);
        QTEST(MapNavigation::zoomAllowed(scale, factor), "allowed");
    }

    void pan_data()
    {
        QTest::addColumn<Direction>("direction");
        QTest::addColumn<Extent>("expected");
        // Window 1000 m wide and 400 m high: a horizontal pan moves by a share
        // of the height, a vertical one by a share of the width.
        QTest::newRow("left") << Direction::Left << Extent{-100, 0, 900, 400};
        QTest::newRow("right") << Direction::Right << Extent{100, 0, 1100, 400};
        QTest::newRow("up") << Direction::Up << Extent{0, 250, 1000, 650};
        QTest::newRow("down") << Direction::Down << Extent{0, -250, 1000, 150};
    }
    void pan()
    {
        QFETCH(Direction, direction);
        QTEST(MapNavigation::panned({0, 0, 1000, 400}, direction, 25), "expected");
    }

    void rulerBands_data()
    {
        QTest::addColumn<double>("k"); // twips per metre
        QTest::addColumn<int>(
            "count"); // main marks within a strip of 12,000 twips, its end included
        QTest::addColumn<QStringList>("labels"); // of the first main marks
        QTest::addColumn<double>("step");        // twips between the first main marks
        const QString tenth = QLocale().toString(0.1, 'f', 1);
        QTest::newRow("below all bands") << 0.001 << 0 << QStringList() << 0.0;
        QTest::newRow("100 km steps") << 0.01 << 13 << QStringList{"0km", "100", "200"} << 1000.0;
        QTest::newRow("boundary 0.03 draws two bands")
            << 0.03 << 5 + 41 << QStringList{"0km", "100", "200", "300", "400", "0km"} << 3000.0;
        QTest::newRow("0.1 km steps") << 10.0 << 13 << QStringList{"0km", tenth} << 1000.0;
        QTest::newRow("1 m steps") << 1000.0 << 13 << QStringList{"0m", "1"} << 1000.0;
        QTest::newRow("above all bands") << 100000.0 << 0 << QStringList() << 0.0;
    }
    void rulerBands()
    {
        QFETCH(double, k);
        QFETCH(QStringList, labels);
        QFETCH(double, step);
        const QList<RulerMark> marks = RulerMarks::compute(k, 12000);
        QList<RulerMark> major;
        QStringList majorLabels;
        for (const RulerMark& m : marks) {
            if (m.major) {
                major << m;
                majorLabels << m.label;
            }
        }
        QTEST(int(major.size()), "count");
        QCOMPARE(majorLabels.mid(0, labels.size()), labels);
        if (major.isEmpty())
            return;
        QVERIFY(major.at(0).leftAligned && !major.at(1).leftAligned);
        QCOMPARE(major.at(1).x - major.at(0).x, step);
        // A minor mark lies halfway between the first two main marks.
        QVERIFY(!marks.at(1).major);
        QCOMPARE(marks.at(1).x, step / 2);
    }

    // Labels 100 twips a character, kept 50 twips apart at least.
    void crowdedLabels_data()
    {
        QTest::addColumn<double>("k");
        QTest::addColumn<QStringList>("labels"); // of the first main marks
        const QLocale l;
        auto tenths = [&](QList<int> ds) {
            QStringList texts{"0km"};
            for (int d : ds)
                texts << (d ? l.toString(d / 10.0, 'f', 1) : QString());
            return texts;
        };
        QTest::newRow("room for all") << 10.0 << tenths({1, 2, 3});
        QTest::newRow("too close to 0km") << 3.5 << tenths({0, 2, 3});
        QTest::newRow("every other") << 3.2 << tenths({0, 2, 0, 4, 0});
        QTest::newRow("next band starts again")
            << 0.03 << QStringList{"0km", "100", "200", "300", "400", "0km"};
    }
    void crowdedLabels()
    {
        QFETCH(double, k);
        QFETCH(QStringList, labels);
        QList<RulerMark> marks = RulerMarks::compute(k, 12000);
        RulerMarks::dropCrowdedLabels(
            marks, [](const QString& label) { return 100.0 * label.size(); }, 50);
        QStringList shown;
        for (const RulerMark& m : std::as_const(marks)) {
            if (m.major)
                shown << m.label;
        }
        QCOMPARE(shown.mid(0, labels.size()), labels);
    }

    void statusStrip_data()
    {
        QTest::addColumn<int>("pictureWidth");
        QTest::addColumn<int>("pictureHeight");
        QTest::addColumn<QRect>("map");
        QTest::addColumn<int>("scaleBoxLeft");
        QTest::addColumn<int>("areaLabelLeft");
        QTest::newRow("12000 x 9000")
            << 12000 << 9000 << QRect(0, 285, 11970, 8685) << 10485 << 7185;
        QTest::newRow("too small: sizes clamp to 0")
            << 20 << 100 << QRect(0, 285, 0, 0) << -1495 << -4795;
    }
    void statusStrip()
    {
        QFETCH(int, pictureWidth);
        QFETCH(int, pictureHeight);
        // Scale box 1500 x 315, its label 1200 wide, area box 1200 x 315, its
        // label 915 wide, labels 285 high.
        const StatusStripLayout out = StatusStripLayout::compute(
            {pictureWidth, pictureHeight, 1500, 315, 1200, 1200, 315, 915, 285});
        QTEST(out.map, "map");
        QTEST(out.scaleBox.left(), "scaleBoxLeft");
        QCOMPARE(out.scaleBox.right() + 1, pictureWidth - 15); // ends 15 twips before the edge
        QCOMPARE(out.scaleBox.top(), -15);
        QCOMPARE(out.scaleLabel.right() + 1, out.scaleBox.left());
        QCOMPARE(out.areaBox.right() + 1, out.scaleLabel.left());
        QTEST(out.areaLabel.left(), "areaLabelLeft");
        QCOMPARE(out.areaLabel.right() + 1, out.areaBox.left() + 15);
    }
};

QTEST_GUILESS_MAIN(TestMapViewport)
#include "tst_mapviewport.moc"
