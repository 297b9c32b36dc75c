#include "MapNavigation.h"
#include "RulerMarks.h"
#include "StatusStripLayout.h"

#include <QtTest>

using MapNavigation::Direction;
using MapNavigation::Extent;

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void zoomLimits_data()
    {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("factor");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("zoom in at 1") << 1 << 1.25 << false;
        QTest::newRow("zoom in at 2") << 2 << 1.25 << true;
        QTest::newRow("zoom out at 9,000,000") << 9000000 << 0.8 << false;
        QTest::newRow("zoom out at 8,000,000") << 8000000 << 0.8 << true;
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

    void scaleFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scale");
        QTest::newRow("plain") << "2880" << 2880;
        QTest::newRow("leading blanks") << "  500" << 500;
        QTest::newRow("number then text") << "1500m" << 1500;
        QTest::newRow("fraction rounds") << "99.6" << 100;
        QTest::newRow("no number") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void scaleFromText()
    {
        QFETCH(QString, text);
        QTEST(int(MapNavigation::scaleFromText(text)), "scale");
    }

    void rulerBands_data()
    {
        QTest::addColumn<double>("k");           // twips per metre
        QTest::addColumn<int>("count");          // main marks within a strip of 12,000 twips, its end included
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
        StatusStripLayout::Input in;
        in.pictureWidth = pictureWidth;
        QFETCH(int, pictureHeight);
        in.pictureHeight = pictureHeight;
        in.scaleBoxWidth = 1500;
        in.scaleBoxHeight = 315;
        in.scaleLabelWidth = 1200;
        in.areaBoxWidth = 1200;
        in.areaBoxHeight = 315;
        in.areaLabelWidth = 915;
        in.labelHeight = 285;
        const StatusStripLayout out = StatusStripLayout::compute(in);
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

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
