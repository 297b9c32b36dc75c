#include "MapNavigation.h"
#include "RulerMarks.h"
#include "StatusStripLayout.h"

#include <QtTest>

using MapNavigation::Direction;
using MapNavigation::Extent;
Q_DECLARE_METATYPE(Extent)
Q_DECLARE_METATYPE(Direction)

class TestNavigation : public QObject {
    Q_OBJECT
private slots:
    void zoomLimits_data();
    void zoomLimits();
    void pan_data();
    void pan();
    void scaleFromText_data();
    void scaleFromText();
    void rulerTenthKilometres();
    void rulerBands_data();
    void rulerBands();
    void statusStrip_data();
    void statusStrip();
};

void TestNavigation::zoomLimits_data()
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

void TestNavigation::zoomLimits()
{
    QFETCH(int, scale);
    QFETCH(double, factor);
    QTEST(MapNavigation::zoomAllowed(scale, factor), "allowed");
}

void TestNavigation::pan_data()
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

void TestNavigation::pan()
{
    QFETCH(Direction, direction);
    QFETCH(Extent, expected);
    const Extent moved = MapNavigation::panned({0, 0, 1000, 400}, direction, 25);
    QCOMPARE(moved.minX, expected.minX);
    QCOMPARE(moved.minY, expected.minY);
    QCOMPARE(moved.maxX, expected.maxX);
    QCOMPARE(moved.maxY, expected.maxY);
}

void TestNavigation::scaleFromText_data()
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

void TestNavigation::scaleFromText()
{
    QFETCH(QString, text);
    QTEST(int(MapNavigation::scaleFromText(text)), "scale");
}

void TestNavigation::rulerTenthKilometres()
{
    // A window 1000 m wide on a map 10,000 twips wide: k = 10 twips per metre,
    // marks every 0.1 km, 1000 twips apart.
    const QList<RulerMark> marks = RulerMarks::compute(10, 10000);
    QList<RulerMark> major;
    for (const RulerMark& m : marks)
        if (m.major)
            major << m;
    QCOMPARE(major.size(), 11);
    QCOMPARE(major.at(0).label, QString("0km"));
    QVERIFY(major.at(0).leftAligned);
    QCOMPARE(major.at(1).x, 1000.0);
    QCOMPARE(major.at(1).label, QLocale().toString(0.1, 'f', 1));
    QCOMPARE(major.at(10).x, 10000.0);
    QCOMPARE(major.at(10).label, QLocale().toString(1.0, 'f', 1));
    QCOMPARE(marks.at(1).major, false);
    QCOMPARE(marks.at(1).x, 500.0);
}

void TestNavigation::rulerBands_data()
{
    QTest::addColumn<double>("k");
    QTest::addColumn<int>("majorMarks"); // within a strip of 12,000 twips
    QTest::addColumn<QString>("secondLabel");
    QTest::newRow("below all bands") << 0.001 << 0 << "";
    QTest::newRow("100 km steps") << 0.01 << 13 << "100";
    QTest::newRow("boundary 0.03 draws two bands") << 0.03 << 5 + 41 << "100";
    QTest::newRow("metres, 10 m steps") << 100.0 << 13 << "10";
    QTest::newRow("metres, 1 m steps") << 1000.0 << 13 << "1";
    QTest::newRow("above all bands") << 100000.0 << 0 << "";
}

void TestNavigation::rulerBands()
{
    QFETCH(double, k);
    QFETCH(int, majorMarks);
    QFETCH(QString, secondLabel);
    const QList<RulerMark> marks = RulerMarks::compute(k, 12000);
    QStringList labels;
    for (const RulerMark& m : marks)
        if (m.major)
            labels << m.label;
    QCOMPARE(labels.size(), majorMarks);
    if (!secondLabel.isEmpty())
        QCOMPARE(labels.at(1), secondLabel);
}

void TestNavigation::statusStrip_data()
{
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<int>("pictureHeight");
    QTest::addColumn<QRect>("map");
    QTest::addColumn<int>("scaleBoxLeft");
    QTest::addColumn<int>("areaLabelLeft");
    QTest::newRow("12000 x 9000") << 12000 << 9000 << QRect(0, 285, 11970, 8685) << 10485 << 7185;
    QTest::newRow("too small: sizes clamp to 0")
        << 20 << 100 << QRect(0, 285, 0, 0) << -1495 << -4795;
}

void TestNavigation::statusStrip()
{
    QFETCH(int, pictureWidth);
    QFETCH(int, pictureHeight);
    StatusStripLayout::Input in;
    in.pictureWidth = pictureWidth;
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

QTEST_GUILESS_MAIN(TestNavigation)
#include "tst_navigation.moc"
