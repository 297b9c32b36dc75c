#include "MapDocument.h"
#include "MapRenderer.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>

using namespace ShapeFixture;

namespace {
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
} // namespace

// Shapes far smaller on screen than their vertex count are drawn reduced to
// the pixel grid; they must still cover what they cover at full detail.
class TestReducedDrawing : public QObject {
    Q_OBJECT
private slots:
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
        MapDataSource* source = map.OpenDataSource("Data1", folder.file("temp"));
        QVERIFY(source);
        map.AddView("VIEW 1", source->table(0).get())->setColour(0x0000FF); // red
        map.viewport().resize(QSize(side, side));
        QVERIFY(map.ZoomAll());
        QImage image(side, side, QImage::Format_RGB32);
        QPainter painter(&image);
        QVERIFY(MapRenderer::paint(painter, image.rect(), map.viewport().window(), map.views()));
        painter.end();

        const auto pixel = [&](double x, double y) {
            return image.pixel(map.viewport().toPixel(QPointF(x, y)).toPoint());
        };
        QCOMPARE(pixel(100, 100), qRgb(255, 255, 255)); // the hole
        QCOMPARE(pixel(170, 100), qRgb(255, 0, 0));     // the ring
        int red = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                red += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 100;
        const double pixelsPerMetre = side / map.viewport().window().width();
        const double expected = M_PI * (100 * 100 - 40 * 40) * pixelsPerMetre * pixelsPerMetre;
        QVERIFY2(std::abs(red - expected) < 0.25 * expected,
                 qPrintable(QStringLiteral("%1 of %2").arg(red).arg(expected)));
    }
};

QTEST_MAIN(TestReducedDrawing)
#include "tst_reduceddrawing.moc"
