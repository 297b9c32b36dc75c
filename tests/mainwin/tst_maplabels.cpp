// Plot labels: the label point inside bent, holed and multi-part plots, the
// choice of labels that fit and do not collide, and the label pass on a map.
#include "LabelLayout.h"
#include "LabelPoint.h"
#include "LabelPointCache.h"
#include "MapDocument.h"
#include "MapLabels.h"
#include "MapRenderer.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using Rings = QList<QPolygonF>;
using LabelLayout::Candidate;

namespace {
QPolygonF ring(std::initializer_list<QPointF> points)
{
    QPolygonF r(points);
    r.append(r.first());
    return r;
}
} // namespace

class TestMapLabels : public QObject {
    Q_OBJECT
private slots:
    void labelPoint_data()
    {
        QTest::addColumn<Rings>("rings");
        QTest::addColumn<double>("radius"); // of the largest inscribed circle; 0: no point
        QTest::addColumn<QRectF>("within"); // where the point must lie
        const double corner30 = 30 * M_SQRT2 / (1 + M_SQRT2); // circle in an arm's corner
        QTest::newRow("L-shaped")
            << Rings{ring({{0, 0}, {0, 100}, {30, 100}, {30, 30}, {100, 30}, {100, 0}})} << corner30
            << QRectF(0, 0, 30, 30);
        // The centroid of a U lies in its gap, outside the plot.
        QTest::newRow("U-shaped, centroid outside")
            << Rings{ring(
                   {{0, 0}, {0, 90}, {30, 90}, {30, 30}, {60, 30}, {60, 90}, {90, 90}, {90, 0}})}
            << corner30 << QRectF(0, 0, 90, 30);
        QTest::newRow("square with a hole in the middle")
            << Rings{ShapeFixture::square(0, 0, 100), ShapeFixture::square(40, 40, 20, true)}
            << 40 * M_SQRT2 / (1 + M_SQRT2) << QRectF(0, 0, 100, 100);
        QTest::newRow("two parts: the larger carries the label")
            << Rings{ShapeFixture::square(0, 0, 10), ShapeFixture::square(100, 0, 100)} << 50.0
            << QRectF(100, 0, 100, 100);
        QTest::newRow("hole listed before its outer ring")
            << Rings{ShapeFixture::square(20, 20, 60, true), ShapeFixture::square(0, 0, 100)}
            << 20 * M_SQRT2 / (1 + M_SQRT2) << QRectF(0, 0, 100, 100);
        QTest::newRow("no area") << Rings{ring({{0, 0}, {10, 10}, {20, 20}})} << 0.0 << QRectF();
    }
    void labelPoint()
    {
        QFETCH(Rings, rings);
        QFETCH(double, radius);
        QFETCH(QRectF, within);
        const LabelPoint point = LabelPoint::of(rings);
        QCOMPARE(point.valid, radius > 0);
        if (!point.valid)
            return;
        QVERIFY2(within.contains(point.at),
                 qPrintable(QString("%1 %2").arg(point.at.x()).arg(point.at.y())));
        // Inside the plot (not in a hole), the circle's radius to within the
        // precision: a hundredth of the plot's side.
        QCOMPARE_GT(LabelPoint::signedDistance(point.at, rings), 0.0);
        QCOMPARE_GE(point.radius, radius - 1.01);
        QCOMPARE_LE(point.radius, radius * 1.001);
    }

    void placement_data()
    {
        QTest::addColumn<QList<Candidate>>("candidates");
        QTest::addColumn<QList<int>>("kept");
        const QSizeF text(40, 12);
        const QSizeF plot(100, 100);
        QTest::newRow("apart, the roomier first")
            << QList<Candidate>{{{50, 50}, text, 20, plot}, {{200, 50}, text, 30, plot}}
            << QList<int>{1, 0};
        QTest::newRow("colliding: the roomier stays")
            << QList<Candidate>{{{50, 50}, text, 30, plot}, {{70, 55}, text, 40, plot}}
            << QList<int>{1};
        QTest::newRow("closer than the halos")
            << QList<Candidate>{{{50, 50}, text, 30, plot}, {{92, 50}, text, 20, plot}}
            << QList<int>{0};
        QTest::newRow("plot too narrow at this scale")
            << QList<Candidate>{{{50, 50}, text, 30, QSizeF(30, 100)}} << QList<int>{};
        QTest::newRow("inscribed circle lower than the text")
            << QList<Candidate>{{{50, 50}, text, 5, plot}} << QList<int>{};
    }
    void placement()
    {
        QFETCH(QList<Candidate>, candidates);
        QFETCH(QList<int>, kept);
        QCOMPARE(LabelLayout::place(candidates, 2), kept);
    }

    // Many labels across the origin: no two kept boxes (with their halos) overlap.
    void placementNeverOverlaps()
    {
        QRandomGenerator random(22);
        QList<Candidate> candidates;
        for (int i = 0; i < 3000; ++i)
            candidates.append({QPointF(random.bounded(1000.0) - 500, random.bounded(1000.0) - 500),
                               QSizeF(10 + random.bounded(110.0), 12), 6 + random.bounded(44.0),
                               QSizeF(200, 200)});
        const QList<int> kept = LabelLayout::place(candidates, 3);
        QCOMPARE_GT(kept.size(), 30);
        for (int a = 0; a < kept.size(); ++a)
            for (int b = a + 1; b < kept.size(); ++b)
                QVERIFY(!candidates.at(kept.at(a))
                             .box()
                             .adjusted(-3, -3, 3, 3)
                             .intersects(candidates.at(kept.at(b)).box().adjusted(-3, -3, 3, 3)));
    }

    // Three plots of 100 m: labelled when large on screen, none when small;
    // the label points are worked out once, not at every paint.
    void labelPass()
    {
        TestFolder folder;
        for (int i = 0; i < 3; ++i)
            ShapeFixture::writeSquare(folder.path(), QString("plot%1").arg(i), i * 150, 0, 100);
        MapDocument map;
        MapDataSource* source = map.OpenDataSource("Data1", folder.path());
        QVERIFY(source);
        map.AddView("VIEW", source);
        map.viewport().resize(QSizeF(600, 300));
        QVERIFY(map.ZoomAll());
        PlotLabels labels;
        labels.shown = true;
        labels.withArea = true;
        labels.texts.insert(source->table(0)->filePath(), {"Hausacker", 1.0});
        const auto paint = [&](const MapExtent& window, QImage* out = nullptr) {
            QImage image(600, 300, QImage::Format_RGB32);
            QPainter painter(&image);
            MapRenderer::paint(painter, image.rect(), window, map.views());
            const int drawn = MapLabels::paint(painter, image.rect(), window, map.views(), labels,
                                               LabelStyle::screen());
            if (out)
                *out = image;
            return drawn;
        };
        const qint64 before = LabelPointCache::shared().computed();
        QImage image;
        QCOMPARE(paint(map.viewport().window(), &image), 3);
        QCOMPARE(paint(map.viewport().window()), 3);
        QCOMPARE(LabelPointCache::shared().computed() - before, 3);
        // Dark letters in the middle of each plot, none at its corners.
        int letters = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 600; ++x)
                letters += qGray(image.pixel(x, y)) < 32;
        QCOMPARE_GT(letters, 60);
        QCOMPARE(MapLabels::lines(labels.texts.constBegin().value(), true).size(), 2);
        // At 1:500,000 the plots are a few pixels wide: no label.
        QVERIFY(map.setScale(500000));
        QCOMPARE(paint(map.viewport().window()), 0);
    }
};

QTEST_MAIN(TestMapLabels)
#include "tst_maplabels.moc"
