#include "MapViewport.h"

#include <QTest>

#include <cmath>

namespace {
// A viewport on a widget of widthPx x heightPx showing the given window.
MapViewport viewport(double widthPx, double heightPx, const MapExtent& window)
{
    MapViewport v;
    v.resize(QSizeF(widthPx, heightPx));
    v.setExtent(window);
    return v;
}

// "" when actual lies within a relative tolerance of expected.
QString near(double actual, double expected, double tolerance = 1e-6)
{
    return std::abs(actual - expected) <= tolerance * std::max(1.0, std::abs(expected))
               ? QString()
               : QStringLiteral("%1 instead of %2")
                     .arg(actual, 0, 'g', 12)
                     .arg(expected, 0, 'g', 12);
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
        QCOMPARE(near(v.scale(), scale), QString());
        // Same metres per pixel across and up, centred, all of the extent shown.
        QCOMPARE(
            near((v.maxX() - v.minX()) / widget.width(), (v.maxY() - v.minY()) / widget.height()),
            QString());
        QCOMPARE(near(v.centre().x(), extent.center().x()), QString());
        QCOMPARE(near(v.centre().y(), extent.center().y()), QString());
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
        QCOMPARE(near(v.centre().x(), x), QString());
        QCOMPARE(near(v.centre().y(), y), QString());
        QCOMPARE(near(v.scale(), scale), QString());
        QCOMPARE(near(v.maxX() - v.minX(), scale * 500 / 3780.0), QString());
        QCOMPARE(near((v.maxX() - v.minX()) / 500, (v.maxY() - v.minY()) / 400), QString());
    }

    void pixelRoundTrip()
    {
        MapViewport v = viewport(733, 411, MapExtent::of(574000, 6239000, 576000, 6241000));
        v.zoomBy(1.25);
        for (const QPointF world : {QPointF(575000, 6240000), QPointF(-12.5, 7e6)}) {
            const QPointF back = v.toWorld(v.toPixel(world));
            QCOMPARE(near(back.x(), world.x(), 1e-9), QString());
            QCOMPARE(near(back.y(), world.y(), 1e-9), QString());
        }
        // y runs down in pixels and up in metres.
        QVERIFY(v.toPixel(QPointF(575000, 6240001)).y() < v.toPixel(QPointF(575000, 6240000)).y());
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
        QCOMPARE(near(v.scale(), scale), QString());

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
};

QTEST_APPLESS_MAIN(TestMapViewport)
#include "tst_mapviewport.moc"
