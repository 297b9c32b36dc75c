#include "DemoRandom.h"
#include "FieldShapeGenerator.h"
#include "PolygonMeasures.h"

#include <QPolygonF>
#include <QtTest>

using Ring = QList<QPointF>;

class TestDemoGeometry : public QObject {
    Q_OBJECT

private slots:
    void measures_data()
    {
        QTest::addColumn<Ring>("ring");
        QTest::addColumn<double>("signedArea");
        QTest::addColumn<double>("perimeter");

        const Ring square{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
        QTest::newRow("open square ccw") << square << 10000.0 << 400.0;
        QTest::newRow("closed square ccw") << (Ring(square) << QPointF(0, 0)) << 10000.0 << 400.0;
        QTest::newRow("square cw")
            << Ring{{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}} << -10000.0 << 400.0;
        // Far from the origin as UTM coordinates are: no digits may get lost.
        QTest::newRow("utm rectangle") << Ring{{512345.67, 5312345.67},
                                               {512345.67, 5312545.67},
                                               {512645.67, 5312545.67},
                                               {512645.67, 5312345.67},
                                               {512345.67, 5312345.67}}
                                       << -60000.0 << 1000.0;
    }
    void measures()
    {
        QFETCH(Ring, ring);
        QFETCH(double, signedArea);
        QFETCH(double, perimeter);
        // Within 0.1 cm²: plain shoelace products of UTM coordinates lose more.
        auto near = [](double actual, double expected) {
            return qAbs(actual - expected) <= 1e-5
                       ? QString()
                       : QStringLiteral("%1 instead of %2").arg(actual, 0, 'g', 17).arg(expected);
        };
        QCOMPARE(near(PolygonMeasures::signedArea(ring), signedArea), QString());
        QCOMPARE(near(PolygonMeasures::areaSquareMetres(ring), std::abs(signedArea)), QString());
        QCOMPARE(near(PolygonMeasures::perimeter(ring), perimeter), QString());
    }

    void closedClockwise_data()
    {
        QTest::addColumn<Ring>("ring");
        QTest::addColumn<Ring>("expected");

        const Ring cw{{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
        QTest::newRow("already closed clockwise") << cw << cw;
        QTest::newRow("open clockwise") << Ring{{0, 0}, {0, 10}, {10, 10}, {10, 0}} << cw;
        QTest::newRow("closed counter-clockwise")
            << Ring{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}} << cw;
        QTest::newRow("open counter-clockwise")
            << Ring{{0, 0}, {10, 0}, {10, 10}, {0, 10}}
            << Ring{{0, 10}, {10, 10}, {10, 0}, {0, 0}, {0, 10}};
    }
    void closedClockwise()
    {
        QFETCH(Ring, ring);
        QFETCH(Ring, expected);
        QCOMPARE(PolygonMeasures::closedClockwise(ring), expected);
    }

    void generatedOutlineFitsItsCell_data()
    {
        QTest::addColumn<QRectF>("cell");
        QTest::addColumn<double>("maxAreaHa");

        QTest::newRow("1 km cell") << QRectF(504000, 5301000, 1000, 1000) << 29.5;
        // Too small for most wanted areas: the outline is shrunk to fit.
        QTest::newRow("300 m cell") << QRectF(510000, 5310000, 300, 300) << 4.9;
        QTest::newRow("narrow cell") << QRectF(500000, 5300000, 2000, 250) << 29.5;
    }
    void generatedOutlineFitsItsCell()
    {
        QFETCH(QRectF, cell);
        QFETCH(double, maxAreaHa);
        const FieldShapeGenerator::Options options;
        const QRectF room = cell.adjusted(options.marginMetres - 0.01, options.marginMetres - 0.01,
                                          0.01 - options.marginMetres, 0.01 - options.marginMetres);
        DemoRandom random(3);
        for (int i = 0; i < 200; ++i) {
            const Ring ring = FieldShapeGenerator::generate(random, cell);
            QVERIFY2(ring.size() >= 5 && ring.size() <= 8,
                     qPrintable(QString::number(ring.size())));
            QCOMPARE(ring.last(), ring.first());
            QVERIFY(PolygonMeasures::signedArea(ring) < 0);
            const double areaHa = PolygonMeasures::areaSquareMetres(ring) / 10000;
            QVERIFY2(areaHa <= maxAreaHa && areaHa > 0.3, qPrintable(QString::number(areaHa)));
            for (const QPointF& p : ring)
                QVERIFY2(room.contains(p),
                         qPrintable(QStringLiteral("%1 %2").arg(p.x()).arg(p.y())));
            // Simple outline: no edge crosses a non-adjacent one.
            const qsizetype n = ring.size() - 1;
            for (qsizetype a = 0; a < n; ++a) {
                for (qsizetype b = a + 2; b < n; ++b) {
                    if (a == 0 && b == n - 1)
                        continue;
                    QPointF crossing;
                    const QLineF first(ring.at(a), ring.at(a + 1)),
                        second(ring.at(b), ring.at(b + 1));
                    QVERIFY(first.intersects(second, &crossing) != QLineF::BoundedIntersection);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestDemoGeometry)
#include "tst_demogeometry.moc"
