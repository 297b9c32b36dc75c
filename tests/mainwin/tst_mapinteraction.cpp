// Working with the map: the hit test under a point, a double click choosing
// the plot's row, the outline of the current plot, zooming from the grids and
// the DOP marks of the field and GPS grids.
#include "DopMarkDelegate.h"
#include "DopQuality.h"
#include "FieldWindow.h"
#include "GpsWindow.h"
#include "MapDocument.h"
#include "PlotColumns.h"
#include "PlotHitTest.h"
#include "PlotMapLink.h"
#include "ShapeFixture.h"
#include "WindowProgram.h"

#include <QAction>
#include <QComboBox>

namespace {
using ShapeFixture::square;

// Farms "Hof A" (plots u at 0..100, v at 100..200 with maxDOP 1.2 and 4.5)
// and "Hof B" (w at 0..100 x 200..300, maxDOP 6.2); a measurement M1 with
// largest DOP 6.2 in the shapes folder.
struct Program : WindowProgram {
    Program()
    {
        ShapeFixture::writeSquare(folder.makeFolder("Hof A"), "u", 0, 0, 100);
        ShapeFixture::writeSquare(folder.file("Hof A"), "v", 100, 0, 100);
        ShapeFixture::writeSquare(folder.makeFolder("Hof B"), "w", 0, 200, 100);
        database.addPlot({"u", "Hof A", "Nord", 2, 0, 2026, "Weizen", {}, 255, 1, 400, 1.2, 0});
        database.addPlot({"v", "Hof A", "Sued", 1, 0, 2025, "Raps", {}, 65280, 1, 400, 4.5, 0});
        database.addPlot({"w", "Hof B", "West", 3, 0, 2026, {}, {}, 0, 1, 400, 6.2, 0});
        ShapeFixture::writeSquare(folder.makeFolder("shapes"), "M1F", 0, 0, 100);
        folder.writeFile("shapes/M1.DES", "t\r\nFlaeche [ha]:    1\r\nUmfang [m]:      400\r\n"
                                          "max. DOP:        6.2\r\n");
        start();
    }
    FieldWindow* fields() const { return window->fieldWindow(); }
    QTableView* grid(const char* name) const { return window->findChild<QTableView*>(name); }
    QString plotFile(const char* farm, const char* base) const
    {
        return folder.file(QString(farm) + '/' + base + ".SHP");
    }
    // Both farms chosen: every plot drawn and selected.
    void chooseBothFarms()
    {
        clickCell(grid("grdbetriebe"), 0);
        clickCell(grid("grdbetriebe"), 1, 0, Qt::ControlModifier);
        QCOMPARE(drawn().size(), 3);
    }
};

// Plots of one folder as views in the order named: later ones lie on top.
struct Views {
    TestFolder folder;
    MapDocument document;
    QList<const MapView*> views;
    explicit Views(const QList<std::pair<QString, QList<ShapeFixture::Rings>>>& plots)
    {
        for (const auto& [name, records] : plots)
            ShapeFixture::writePolygons(folder.path(), name, records);
        MapDataSource* source = document.OpenDataSource("Data1", folder.path());
        for (const auto& plot : plots)
            for (const auto& table : source->tables())
                if (table->baseName() == plot.first)
                    views << document.AddView("VIEW", table.get());
    }
};
} // namespace

class TestMapInteraction : public QObject {
    Q_OBJECT
private slots:
    // A ring with a hole and an island in it, a plot of two parts, and a
    // small plot drawn over the second part.
    void hitTest_data()
    {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<QString>("plot"); // "" none
        QTest::newRow("solid ring") << QPointF(10, 10) << "ring";
        QTest::newRow("hole") << QPointF(35, 35) << "";
        QTest::newRow("island in the hole") << QPointF(50, 50) << "island";
        QTest::newRow("first part") << QPointF(225, 25) << "twoparts";
        QTest::newRow("second part") << QPointF(310, 10) << "twoparts";
        QTest::newRow("between the parts") << QPointF(275, 25) << "";
        QTest::newRow("the plot on top") << QPointF(330, 30) << "over";
        QTest::newRow("outside") << QPointF(-5, 50) << "";
    }
    void hitTest()
    {
        QFETCH(QPointF, point);
        QFETCH(QString, plot);
        const Views map({{"ring", {{square(0, 0, 100), square(30, 30, 40, true)}}},
                         {"island", {{square(45, 45, 10)}}},
                         {"twoparts", {{square(200, 0, 50), square(300, 0, 50)}}},
                         {"over", {{square(320, 20, 20)}}}});
        PlotHitTest hits;
        hits.build(map.views);
        const PlotHitTest::Hit hit = hits.hitAt(point.x(), point.y());
        QCOMPARE(hit.found() ? hit.table->baseName() : QString(), plot);
    }

    // 10,000 plots of one file in a 100 x 100 grid of 8 m squares 10 m apart:
    // the index finds each plot, not its neighbour, and nothing in the gaps.
    void hitTestOnManyPlots()
    {
        QList<ShapeFixture::Rings> records;
        for (int row = 0; row < 100; ++row)
            for (int column = 0; column < 100; ++column)
                records.append({square(column * 10, row * 10, 8)});
        const Views map({{"many", records}});
        PlotHitTest hits;
        hits.build(map.views);
        QCOMPARE(hits.shapeCount(), 10000);
        for (const int shape : {0, 99, 4242, 5000, 9900, 9999}) {
            const double x = shape % 100 * 10 + 4, y = shape / 100 * 10 + 4;
            QCOMPARE(hits.hitAt(x, y).shape, shape);
            QVERIFY(!hits.hitAt(x + 5, y).found()); // the gap to the right
        }
    }

    // A double click on a plot makes its row current and keeps the selection
    // (the map stays); the current plot is outlined; the tooltip names it.
    void doubleClickChoosesRow()
    {
        Program p;
        QTableView* fields = p.grid("grdschlagdaten");
        QCOMPARE(fields->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(p.map().highlightedFile(), p.plotFile("Hof A", "u"));
        const QPoint onV = p.map().document().viewport().toPixel(QPointF(150, 50)).toPoint();
        // As the window system sends it: a click (which centres the map on
        // v), a double click and its release at the same pixel.
        QTest::mouseClick(&p.map(), Qt::LeftButton, {}, onV);
        QTest::mouseDClick(&p.map(), Qt::LeftButton, {}, onV);
        QTest::mouseRelease(&p.map(), Qt::LeftButton, {}, onV);
        const QPointF centre = p.map().document().viewport().centre();
        QVERIFY(QLineF(centre, QPointF(150, 50)).length() < p.map().document().viewport().metresPerPixel());
        QCOMPARE(fields->currentIndex().row(), 1);
        QCOMPARE(fields->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(p.drawn().size(), 2);
        QCOMPARE(p.map().highlightedFile(), p.plotFile("Hof A", "v"));
        const PlotHitTest::Hit hit = p.map().hitAt(150, 50);
        const QString tip = p.fields()->mapLink()->describe(*hit.table);
        for (const char* part : {"Hof A", "Sued", "Raps", "2025", "Fläche aus der Geometrie"})
            QVERIFY2(tip.contains(part), qPrintable(tip));
    }

    // Zooming shows exactly the plots' extent with a 5 % margin (in the
    // direction that decides, more in the other) and the scale box follows.
    void zoomFromTheGrids_data()
    {
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QRectF>("extent"); // of the plots, in metres
        QTest::newRow("farm") << "Hof B" << QRectF(0, 200, 100, 100);
        QTest::newRow("plot") << "v" << QRectF(100, 0, 100, 100);
        QTest::newRow("selection") << "" << QRectF(0, 0, 200, 300);
    }
    void zoomFromTheGrids()
    {
        QFETCH(QString, zoom);
        QFETCH(QRectF, extent);
        Program p;
        p.chooseBothFarms();
        p.map().SetExtent(5000, 5000, 6000, 6000);
        if (zoom.isEmpty())
            p.window->findChild<QAction*>("tb1auswahl")->trigger();
        else if (zoom.startsWith("Hof"))
            QVERIFY(p.fields()->mapLink()->zoomToFarm(zoom));
        else
            QVERIFY(p.fields()->mapLink()->zoomToPlot(columnTexts(p.grid("grdschlagdaten"), 0)
                                                          .indexOf(zoom)));
        const MapControl& map = p.map();
        const QRectF wanted = extent.adjusted(-extent.width() * 0.05, -extent.height() * 0.05,
                                              extent.width() * 0.05, extent.height() * 0.05);
        const double tolerance = 1e-6 * wanted.width();
        QVERIFY(map.MinX() <= wanted.left() + tolerance && map.MaxX() >= wanted.right() - tolerance);
        QVERIFY(map.MinY() <= wanted.top() + tolerance && map.MaxY() >= wanted.bottom() - tolerance);
        QVERIFY(qAbs((map.MaxX() - map.MinX()) - wanted.width()) < tolerance ||
                qAbs((map.MaxY() - map.MinY()) - wanted.height()) < tolerance);
        QCOMPARE(p.window->findChild<QComboBox*>("cbomassstab")->currentText(),
                 QString::number(qRound64(map.Scale())));
    }

    // Cells of measurements above the threshold are marked with the reason;
    // the threshold comes from the Einstellung menu and is kept.
    void dopMarksFollowThreshold_data()
    {
        QTest::addColumn<QVariant>("answer"); // to the threshold dialog, invalid: cancelled
        QTest::addColumn<double>("threshold");
        QTest::addColumn<QStringList>("marks"); // of u, v, w and the measurement M1
        QTest::newRow("default") << QVariant() << 4.0
                                 << QStringList{"", "max. DOP 4.5 > 4", "max. DOP 6.2 > 4",
                                                "max. DOP 6.2 > 4"};
        QTest::newRow("5") << QVariant(5.0) << 5.0
                           << QStringList{"", "", "max. DOP 6.2 > 5", "max. DOP 6.2 > 5"};
        QTest::newRow("above every DOP") << QVariant(7.0) << 7.0 << QStringList{"", "", "", ""};
        QTest::newRow("refused") << QVariant(-1.0) << 4.0
                                 << QStringList{"", "max. DOP 4.5 > 4", "max. DOP 6.2 > 4",
                                                "max. DOP 6.2 > 4"};
    }
    void dopMarksFollowThreshold()
    {
        QFETCH(QVariant, answer);
        QFETCH(double, threshold);
        QFETCH(QStringList, marks);
        Program p;
        p.chooseBothFarms();
        Prompter::instance().setNextAnswer(answer);
        p.window->findChild<QAction*>("mnueinstellungdop")->trigger();
        QCOMPARE(p.state.dopgrenze, threshold);
        QTableView* fields = p.grid("grdschlagdaten");
        QTableView* gps = p.grid("grdgpsdaten");
        QStringList found;
        for (int row = 0; row < 3; ++row)
            found << qobject_cast<DopMarkDelegate*>(fields->itemDelegateForColumn(PlotColumns::MaxDop))
                         ->markOf(fields->model()->index(row, PlotColumns::MaxDop));
        found << qobject_cast<DopMarkDelegate*>(gps->itemDelegateForColumn(0))
                     ->markOf(gps->model()->index(0, 0));
        QCOMPARE(found, marks);
        // The next start finds the threshold chosen.
        QCOMPARE(DopQuality::readThreshold(&p.settings), threshold);
    }
};

QTEST_MAIN(TestMapInteraction)
#include "tst_mapinteraction.moc"
