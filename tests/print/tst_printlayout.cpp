// The sheet's arithmetic without a printer: page metrics, fill factor and
// scale label, ruler bands and ticks, list placement and pagination.
#include "PageMetrics.h"
#include "PlotListLayout.h"
#include "PrintRuler.h"
#include "SheetScale.h"

#include <QPageLayout>
#include <QtTest>

using Part = PlotListLayout::Part;
Q_DECLARE_METATYPE(QList<Part>)

class TestPrintLayout : public QObject {
    Q_OBJECT
private slots:
    void pageMetrics_data()
    {
        QTest::addColumn<QList<double>>("device"); // paper w, h, offset x, y, printable w, h, dpi
        QTest::addColumn<QList<int>>("expected");  // W, H, right margin, bottom margin
        QTest::newRow("printable area is the paper")
            << QList<double>{4800, 6000, 0, 0, 4800, 6000, 600} << QList<int>{11520, 14400, 0, 0};
        QTest::newRow("600 pixels at 600 dpi are 1440 twips")
            << QList<double>{5100, 6600, 600, 600, 3900, 5400, 600}
            << QList<int>{9360, 12960, 1440, 1440};
        QTest::newRow("halves round to even")
            << QList<double>{0.5, 1.5, 0, 0, 0.5, 1.5, 1440} << QList<int>{0, 2, 0, 0};
        QTest::newRow("driver reports more than the paper: margins not clamped")
            << QList<double>{600, 600, 0, 0, 700, 600, 600} << QList<int>{1680, 1440, -240, 0};
    }
    void pageMetrics()
    {
        QFETCH(QList<double>, device);
        QFETCH(QList<int>, expected);
        const PageMetrics m = PageMetrics::fromDevice(device[0], device[1], device[2], device[3],
                                                      device[4], device[5], device[6]);
        QCOMPARE((QList<int>{m.width(), m.height(), m.rightMargin, m.bottomMargin}), expected);
    }

    void pageMetricsFromLayout()
    {
        // A4 landscape with 10 mm margins: 297 x 210 mm paper, 277 x 190 mm to print on.
        const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                 QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        const PageMetrics m = PageMetrics::fromLayout(layout);
        QCOMPARE(m.offsetX, 567);
        QCOMPARE(m.physicalWidth, 16838);
        QCOMPARE_LE(qAbs(m.width() - 15704), 1);
        QCOMPARE_LE(qAbs(m.height() - 10772), 1);
    }

    void scalePlan_data()
    {
        QTest::addColumn<double>("visibleWidth"); // metres; W = 10000 twips
        QTest::addColumn<double>("mapScale");
        QTest::addColumn<QString>("scaleBox");
        QTest::addColumn<bool>("displayed");
        QTest::addColumn<int>("problem");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("k");
        QTest::addColumn<int>("printScale");
        using P = SheetScale::Problem;
        QTest::newRow("fill: 1000 m over 10000 twips")
            << 1000.0 << 3000.0 << "3000" << false << int(P::None) << "1: 5670" << 10.0 << 0;
        QTest::newRow("fill: the whole part, not rounded")
            << 7875.9 * 10000 / 56700 << 100.0 << "100" << false << int(P::None) << "1: 7875"
            << 56700 / 7875.9 << 0;
        QTest::newRow("displayed: the box text as typed, S its leading number")
            << 200.0 << 2000.0 << "1000 m" << true << int(P::None) << "1: 1000 m" << 56.7 << 1763;
        QTest::newRow("displayed: blanks skipped, S rounds halves to even")
            << 200.0 << 2000.0 << "  2500.5" << true << int(P::None) << "1:   2500.5" << 22.68
            << 4409;
        QTest::newRow("visible width 0")
            << 0.0 << 1000.0 << "1000" << false << int(P::NoVisibleExtent) << "" << 0.0 << 0;
        QTest::newRow("map without a size")
            << 100.0 << 0.0 << "1000" << true << int(P::NoVisibleExtent) << "" << 0.0 << 0;
        QTest::newRow("scale 0") << 100.0 << 1000.0 << "0" << true << int(P::ScaleNotPositive) << ""
                                 << 0.0 << 0;
        QTest::newRow("negative scale")
            << 100.0 << 1000.0 << "-500" << true << int(P::ScaleNotPositive) << "" << 0.0 << 0;
        QTest::newRow("scale not a number")
            << 100.0 << 1000.0 << "abc" << true << int(P::ScaleNotPositive) << "" << 0.0 << 0;
        QTest::newRow("scale box empty")
            << 100.0 << 1000.0 << "" << true << int(P::ScaleNotPositive) << "" << 0.0 << 0;
    }
    void scalePlan()
    {
        QFETCH(double, visibleWidth);
        QFETCH(double, mapScale);
        QFETCH(QString, scaleBox);
        QFETCH(bool, displayed);
        QFETCH(int, problem);
        QFETCH(QString, label);
        QFETCH(double, k);
        QFETCH(int, printScale);
        const MapExtent visible = MapExtent::of(500, 0, 500 + visibleWidth, 100);
        const SheetScale::Input in{10000, 15000, visible, mapScale, scaleBox, "1: ", displayed};
        const SheetScale::Plan plan = SheetScale::plan(in);
        QCOMPARE(int(plan.problem), problem);
        QCOMPARE(plan.label, label);
        QVERIFY2(qAbs(plan.k - k) < 1e-9, qPrintable(QString::number(plan.k)));
        QCOMPARE(plan.printScale, printScale);
    }

    void pageTooSmall()
    {
        SheetScale::Input in{10000, 600, MapExtent::of(0, 0, 10, 10), 100, "100", "", false};
        QCOMPARE(SheetScale::plan(in).problem, SheetScale::Problem::PageTooSmall);
    }

    void rulerBand_data()
    {
        QTest::addColumn<double>("k");
        QTest::addColumn<int>("band");
        using B = PrintRuler::Band;
        const QList<std::pair<double, B>> rows = {
            {0.001, B::None}, {0.002, B::A}, {0.03, B::A},     {0.0301, B::B}, {0.3, B::B},
            {3, B::C},        {11.34, B::D}, {25, B::D},       {56.7, B::E},   {200, B::E},
            {200.1, B::F},    {99999, B::F}, {100000, B::None}};
        for (const auto& [k, band] : rows)
            QTest::addRow("k = %g", k) << k << int(band);
    }
    void rulerBand()
    {
        QFETCH(double, k);
        QFETCH(int, band);
        QCOMPARE(int(PrintRuler::band(k)), band);
    }

    void rulerTicks_data()
    {
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<double>("step"); // twips between main ticks
        QTest::newRow("1:5000, band D")
            << 11.34 << 11000.0 << "en"
            << QStringList{"0km", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"}
            << 1134.0;
        QTest::newRow("band D with a decimal comma")
            << 11.34 << 3500.0 << "de" << QStringList{"0km", "0,1", "0,2", "0,3"} << 1134.0;
        QTest::newRow("1:1000, band E, a tick on the page end")
            << 56.7 << 5670.0 << "de"
            << QStringList{"0m", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}
            << 567.0;
        QTest::newRow("no band") << 100000.0 << 11000.0 << "en" << QStringList{} << 0.0;
    }
    void rulerTicks()
    {
        QFETCH(double, k);
        QFETCH(double, width);
        QFETCH(QStringList, labels);
        QFETCH(double, step);
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const QList<PrintRuler::Tick> ticks = PrintRuler::ticks(k, width);
        QLocale::setDefault(QLocale::c());
        QStringList mainLabels;
        for (qsizetype i = 0; i < ticks.size(); ++i) {
            const PrintRuler::Tick& tick = ticks.at(i);
            QVERIFY2(tick.x <= width, qPrintable(QString::number(tick.x))); // inside the frame
            if (!tick.main) {
                QVERIFY(qAbs(tick.x - (mainLabels.size() - 0.5) * step) < 1e-6);
                continue;
            }
            QCOMPARE(tick.labelAtStart, mainLabels.isEmpty());
            QVERIFY(qAbs(tick.x - mainLabels.size() * step) < 1e-6);
            mainLabels << tick.label;
        }
        QCOMPARE(mainLabels, labels);
    }

    // A list band below the map: the visible ground is shrunk to fit above it.
    void fillFitsAboveListBand()
    {
        SheetScale::Input in{
            10000, 15000, MapExtent::of(0, 0, 1000, 1000), 3000, "3000", "1: ", false, 5000};
        const SheetScale::Plan plan = SheetScale::plan(in);
        QCOMPARE(plan.k, 5.0);
        QCOMPARE(plan.groundWidth, 2000.0);
        QCOMPARE(plan.label, QString("1: 11340"));
    }

    void listParts_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("height");
        QTest::addColumn<bool>("ownPage");
        QTest::addColumn<QList<Part>>("parts");
        QTest::newRow("3 rows at the bottom of the map page")
            << 3 << 15000 << false << QList<Part>{{false, 14000, 15000, 0, 3, true}};
        QTest::newRow("3 rows on a page of their own")
            << 3 << 15000 << true << QList<Part>{{true, 300, 1300, 0, 3, true}};
        QTest::newRow("map page full, the rest on a page of its own")
            << 10 << 2000 << false
            << QList<Part>{{false, 600, 2000, 0, 6, false}, {true, 300, 1500, 6, 4, true}};
        QTest::newRow("100 rows over two own pages, headings on both")
            << 100 << 16000 << true
            << QList<Part>{{true, 300, 15900, 0, 77, false}, {true, 300, 5300, 77, 23, true}};
        QTest::newRow("rows fill the page exactly: the last row goes with the sum")
            << 5 << 1500 << true
            << QList<Part>{{true, 300, 1300, 0, 4, false}, {true, 300, 900, 4, 1, true}};
        QTest::newRow("map page without room")
            << 2 << 900 << false
            << QList<Part>{{true, 300, 700, 0, 1, false}, {true, 300, 900, 1, 1, true}};
        QTest::newRow("no room for a row and the sum") << 2 << 800 << true << QList<Part>{};
        QTest::newRow("no rows") << 0 << 15000 << false << QList<Part>{};
    }
    void listParts()
    {
        QFETCH(int, rows);
        QFETCH(int, height);
        QFETCH(bool, ownPage);
        QFETCH(QList<Part>, parts);
        QCOMPARE(PlotListLayout::paginate(rows, height, ownPage, 600), parts);
    }

    // Every row printed once, in order, inside the page, far beyond 16 bits.
    void listLosesNoRow()
    {
        for (const bool ownPage : {false, true}) {
            for (const int height : {1500, 16838}) {
                for (const int rows : {1, 2, 75, 76, 77, 78, 400, 2000}) {
                    const QList<Part> parts = PlotListLayout::paginate(rows, height, ownPage, 600);
                    int next = 0;
                    for (const Part& part : parts) {
                        QCOMPARE(part.first, next);
                        QCOMPARE_GE(part.top, part.newPage ? 300 : 600);
                        QCOMPARE_LE(part.bottom, height);
                        QCOMPARE(part.sum, &part == &parts.last());
                        next += part.count;
                    }
                    QCOMPARE(next, rows);
                }
            }
        }
    }

    // Rows "farm/crop/ha"; lines: a plot row's index, "crop=ha", "[farm]=ha".
    void subtotals_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("subtotals");
        QTest::addColumn<QString>("lines");
        QTest::newRow("without subtotals the rows as given")
            << QStringList{"A/Weizen/1", "A/Gerste/2"} << false << "0 1";
        QTest::newRow("one farm: crops in alphabetical order, no farm line")
            << QStringList{"A/Weizen/1", "A/Gerste/2", "A/weizen/4"} << true
            << "1 Gerste=2 0 2 Weizen=5";
        QTest::newRow("farms in order of appearance, names ignoring case")
            << QStringList{"B/Raps/3", "A/Raps/1", "b/Mais/2.5"} << true
            << "2 Mais=2.5 0 Raps=3 [B]=5.5 1 Raps=1 [A]=1";
        QTest::newRow("plots without a crop last")
            << QStringList{"A//1", "A/Mais/2", "A/ /0.5"} << true << "1 Mais=2 0 2 =1.5";
    }
    void subtotals()
    {
        QFETCH(QStringList, rows);
        QFETCH(bool, subtotals);
        QList<PlotListRow> list;
        for (const QString& row : rows) {
            const QStringList f = row.split('/');
            list.append({f[0], "plot", 0, f[2].toDouble(), 2026, f[1], ""});
        }
        QStringList lines;
        for (const PlotListLayout::Line& line : PlotListLayout::lines(list, subtotals)) {
            const QString sum = QString::number(line.areaHa);
            lines << (line.kind == PlotListLayout::Line::Plot      ? QString::number(line.row)
                      : line.kind == PlotListLayout::Line::CropSum ? line.name + '=' + sum
                                                                   : '[' + line.name + "]=" + sum);
        }
        QTEST(lines.join(' '), "lines");
    }

    // A crop running over two own pages: its subtotal, on the second page,
    // sums the rows of both.
    void subtotalAcrossPages()
    {
        QList<PlotListRow> rows(120, {"A", "plot", 0, 0.5, 2026, "Weizen", ""});
        rows.append({"A", "plot", 0, 1.0, 2026, "Raps", ""});
        const QList<PlotListLayout::Line> lines = PlotListLayout::lines(rows, true);
        QCOMPARE(lines.size(), 123);
        const QList<Part> parts = PlotListLayout::paginate(int(lines.size()), 16000, true, 600);
        QCOMPARE(parts.size(), 2);
        QCOMPARE(lines.last().kind, PlotListLayout::Line::CropSum);
        QCOMPARE(lines.last().areaHa, 60.0);
        QCOMPARE_GE(int(lines.size()) - 1, parts.last().first);
    }

    void plotLabel_data()
    {
        QTest::addColumn<int>("nummer");
        QTest::addColumn<int>("teil");
        QTest::addColumn<QString>("label");
        QTest::newRow("number and part") << 12 << 2 << "12 /2 Hausacker";
        QTest::newRow("part 0") << 12 << 0 << "12 Hausacker";
        QTest::newRow("number 0") << 0 << 3 << "/3 Hausacker";
        QTest::newRow("neither") << 0 << 0 << "Hausacker";
    }
    void plotLabel()
    {
        QFETCH(int, nummer);
        QFETCH(int, teil);
        QFETCH(QString, label);
        QCOMPARE(PlotListLayout::plotLabel("Hausacker", nummer, teil), label);
    }

    void areaText()
    {
        QLocale::setDefault(QLocale(QLocale::English));
        QCOMPARE(PlotListLayout::areaText(1234.5), QString("1,234.5000"));
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(PlotListLayout::areaText(1234567.25), QString("1.234.567,2500"));
        QLocale::setDefault(QLocale::c());
    }
};

QTEST_GUILESS_MAIN(TestPrintLayout)
#include "tst_printlayout.moc"
