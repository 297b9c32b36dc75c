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

bool allFinite(const MapViewport& v)
{
    return std::isfinite(v.minX()) && std::isfinite(v.minY()) && std::isfinite(v.maxX()) &&
           std::isfinite(v.maxY()) && std::isfinite(v.scale());
}

void compareNear(double actual, double expected, double tolerance = 1e-6)
{
    if (std::abs(actual - expected) > tolerance * std::max(1.0, std::abs(expected)))
        QFAIL(qPrintable(QStringLiteral("%1 differs from %2")
                             .arg(actual, 0, 'g', 12)
                             .arg(expected, 0, 'g', 12)));
}
} // namespace

class TestMapViewport : public QObject {
    Q_OBJECT
private slots:
    void scaleFollowsTwipsPerMetre_data();
    void scaleFollowsTwipsPerMetre();
    void setExtentFitsAspect_data();
    void setExtentFitsAspect();
    void zoomKeepsOrMovesCentre_data();
    void zoomKeepsOrMovesCentre();
    void pixelRoundTrip_data();
    void pixelRoundTrip();
    void degenerateInputKeepsWindow_data();
    void degenerateInputKeepsWindow();
    void singlePointCentresAndKeepsScale();
};

void TestMapViewport::scaleFollowsTwipsPerMetre_data()
{
    QTest::addColumn<double>("widthPx");
    QTest::addColumn<double>("windowWidth");
    QTest::addColumn<double>("scale");
    // 10,000 twips over 1000 m: k = 10 twips per metre, 1 : 56700 / 10.
    QTest::newRow("k=10") << 10000.0 / 15.0 << 1000.0 << 5670.0;
    QTest::newRow("1 m per pixel") << 800.0 << 800.0 << 3780.0;
    QTest::newRow("1 cm per pixel") << 1000.0 << 10.0 << 37.8;
    QTest::newRow("50 km on 500 px") << 500.0 << 50000.0 << 378000.0;
}

void TestMapViewport::scaleFollowsTwipsPerMetre()
{
    QFETCH(double, widthPx);
    QFETCH(double, windowWidth);
    QFETCH(double, scale);
    // The window is wider than tall relative to the widget, so its width is kept exactly.
    const MapViewport v = viewport(widthPx, widthPx / 4, MapExtent::of(0, 0, windowWidth, 1));
    compareNear(v.maxX() - v.minX(), windowWidth);
    compareNear(v.scale(), scale);
}

void TestMapViewport::setExtentFitsAspect_data()
{
    QTest::addColumn<QSizeF>("widget");
    QTest::addColumn<QRectF>("extent"); // x, y, width, height in metres
    QTest::newRow("same aspect") << QSizeF(400, 200) << QRectF(100, 100, 800, 400);
    QTest::newRow("taller extent") << QSizeF(400, 200) << QRectF(0, 0, 100, 500);
    QTest::newRow("wider extent") << QSizeF(300, 600) << QRectF(-50, 20, 1000, 10);
    QTest::newRow("flat line") << QSizeF(300, 200) << QRectF(5, 7, 90, 0);
    QTest::newRow("utm coordinates")
        << QSizeF(1600, 1000) << QRectF(470534, 6106184, 210087, 273092);
}

void TestMapViewport::setExtentFitsAspect()
{
    QFETCH(QSizeF, widget);
    QFETCH(QRectF, extent);
    const MapExtent wanted =
        MapExtent::of(extent.left(), extent.top(), extent.right(), extent.bottom());
    const MapViewport v = viewport(widget.width(), widget.height(), wanted);
    // Same metres per pixel across and up.
    compareNear((v.maxX() - v.minX()) / widget.width(), (v.maxY() - v.minY()) / widget.height());
    compareNear(v.centre().x(), extent.center().x());
    compareNear(v.centre().y(), extent.center().y());
    QVERIFY(v.minX() <= wanted.minX + 1e-6 && v.maxX() >= wanted.maxX - 1e-6);
    QVERIFY(v.minY() <= wanted.minY + 1e-6 && v.maxY() >= wanted.maxY - 1e-6);
    // Tight in one direction: no more ground than needed.
    const bool tightX = std::abs((v.maxX() - v.minX()) - wanted.width()) < 1e-6;
    const bool tightY = std::abs((v.maxY() - v.minY()) - wanted.height()) < 1e-6;
    QVERIFY(tightX || tightY);
}

void TestMapViewport::zoomKeepsOrMovesCentre_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("value"); // zoom factor or scale
    QTest::addColumn<double>("scale"); // expected, from 1:1000 at the start
    QTest::newRow("ZoomBy 1.25 enlarges") << "by" << 500.0 << 400.0 << 1.25 << 800.0;
    QTest::newRow("ZoomBy 0.8 reduces") << "by" << 500.0 << 400.0 << 0.8 << 1250.0;
    QTest::newRow("ZoomAt 1.0 recentres") << "at" << 123.5 << -40.25 << 1.0 << 1000.0;
    QTest::newRow("ZoomAt 2 recentres, enlarges") << "at" << 900.0 << 900.0 << 2.0 << 500.0;
    QTest::newRow("ZoomAt 0 only recentres") << "at" << 10.0 << 20.0 << 0.0 << 1000.0;
    QTest::newRow("scale 1:1") << "scale" << 500.0 << 400.0 << 1.0 << 1.0;
    QTest::newRow("scale 1:2880") << "scale" << 500.0 << 400.0 << 2880.0 << 2880.0;
    QTest::newRow("largest 32-bit scale")
        << "scale" << 500.0 << 400.0 << 2147483647.0 << 2147483647.0;
}

void TestMapViewport::zoomKeepsOrMovesCentre()
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
    compareNear(v.centre().x(), x);
    compareNear(v.centre().y(), y);
    compareNear(v.scale(), scale);
    compareNear(v.maxX() - v.minX(), scale * 500 / 3780.0);
    compareNear((v.maxX() - v.minX()) / 500, (v.maxY() - v.minY()) / 400);
}

void TestMapViewport::pixelRoundTrip_data()
{
    QTest::addColumn<QPointF>("world");
    QTest::newRow("centre") << QPointF(575000, 6240000);
    QTest::newRow("outside window") << QPointF(-12.5, 7e6);
    QTest::newRow("near corner") << QPointF(574001.25, 6239001.5);
}

void TestMapViewport::pixelRoundTrip()
{
    QFETCH(QPointF, world);
    MapViewport v = viewport(733, 411, MapExtent::of(574000, 6239000, 576000, 6241000));
    v.zoomBy(1.25);
    const QPointF back = v.toWorld(v.toPixel(world));
    compareNear(back.x(), world.x(), 1e-9);
    compareNear(back.y(), world.y(), 1e-9);
    const QPointF pixel(17.5, 300.25);
    const QPointF again = v.toPixel(v.toWorld(pixel));
    compareNear(again.x(), pixel.x(), 1e-6);
    compareNear(again.y(), pixel.y(), 1e-6);
}

void TestMapViewport::degenerateInputKeepsWindow_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<double>("value");
    QTest::newRow("scale 0") << "scale" << 0.0;
    QTest::newRow("scale -500") << "scale" << -500.0;
    QTest::newRow("scale NaN") << "scale" << double(NAN);
    QTest::newRow("zoom by 0") << "zoom" << 0.0;
    QTest::newRow("zoom by -1") << "zoom" << -1.0;
    QTest::newRow("zoom by infinity") << "zoom" << double(INFINITY);
    QTest::newRow("extent NaN") << "extent" << double(NAN);
    QTest::newRow("zoom at infinity") << "zoomAt" << double(INFINITY);
}

void TestMapViewport::degenerateInputKeepsWindow()
{
    QFETCH(QString, operation);
    QFETCH(double, value);
    MapViewport v = viewport(300, 300, MapExtent::of(0, 0, 100, 100));
    const MapExtent before = v.window();
    bool taken = true;
    if (operation == "scale")
        taken = v.setScale(value);
    else if (operation == "zoom")
        taken = v.zoomBy(value);
    else if (operation == "extent")
        taken = v.setExtent(MapExtent::of(0, 0, value, 10));
    else
        taken = v.zoomAt(value, 0, 1.0);
    QVERIFY(!taken);
    QCOMPARE(v.window(), before);
}

void TestMapViewport::singlePointCentresAndKeepsScale()
{
    MapViewport v = viewport(400, 300, MapExtent::of(0, 0, 400, 300));
    const double scale = v.scale();
    QVERIFY(v.setExtent(MapExtent::of(1000, 2000, 1000, 2000)));
    QCOMPARE(v.centre(), QPointF(1000, 2000));
    compareNear(v.scale(), scale);

    // Without a size there is no scale, and nothing becomes infinite.
    MapViewport unsized;
    QCOMPARE(unsized.scale(), 0.0);
    QVERIFY(!unsized.setScale(1000));
    QVERIFY(unsized.setExtent(MapExtent::of(5, 5, 5, 5)));
    QVERIFY(unsized.zoomBy(1e-300));
    QVERIFY(allFinite(unsized));
    unsized.resize(QSizeF(0, 100));
    QVERIFY(allFinite(unsized));
}

QTEST_APPLESS_MAIN(TestMapViewport)
#include "tst_mapviewport.moc"
