#include "ShapeFixture.h"
#include "ShapefileReader.h"
#include "TestFolder.h"

#include <QFile>
#include <QTest>

using ShapeFixture::Suffix;

class TestShapefileReader : public QObject {
    Q_OBJECT
private slots:
    void readsPartsAndHoles();
    void findsCompanionsIgnoringCase_data();
    void findsCompanionsIgnoringCase();
    void rejectsMalformedFiles_data();
    void rejectsMalformedFiles();
    void readsRealFieldBoundaries();
};

void TestShapefileReader::readsPartsAndHoles()
{
    TestFolder folder;
    using ShapeFixture::square;
    const QString path = ShapeFixture::writePolygons(
        folder.path(), "plot.v2",
        {{square(0, 0, 100), square(25, 25, 50, true), square(200, 0, 10)}, {square(-5, -5, 1)}});
    const ShapefileReader::Result read = ShapefileReader::read(path);
    QVERIFY2(read.table, qPrintable(read.error.detail));
    QCOMPARE(read.table->baseName(), QStringLiteral("plot.v2"));
    QCOMPARE(read.table->geometry(), MapGeometry::Polygon);
    QCOMPARE(read.table->shapes().size(), 2);
    QCOMPARE(read.table->shapes().at(0).parts.size(), 3);
    QCOMPARE(read.table->shapes().at(0).parts.at(1), square(25, 25, 50, true));
    QCOMPARE(read.table->vertexCount(), 20);
    QCOMPARE(read.table->bounds(), MapExtent::of(-5, -5, 210, 100));
    // The hole is left unfilled by the odd-even rule.
    const QPainterPath& first = read.table->shapes().at(0).path;
    QVERIFY(first.contains(QPointF(10, 10)));
    QVERIFY(!first.contains(QPointF(50, 50)));
    QVERIFY(first.contains(QPointF(205, 5)));
}

void TestShapefileReader::findsCompanionsIgnoringCase_data()
{
    QTest::addColumn<QString>("shp");
    QTest::addColumn<QString>("shx");
    QTest::newRow("upper case") << "F1.SHP"
                                << "F1.SHX";
    QTest::newRow("lower case") << "F1.shp"
                                << "F1.shx";
    QTest::newRow("mixed") << "F1.Shp"
                           << "F1.sHx";
}

void TestShapefileReader::findsCompanionsIgnoringCase()
{
    QFETCH(QString, shp);
    QFETCH(QString, shx);
    TestFolder folder;
    ShapeFixture::writeSquare(folder.path(), "F1", 0, 0, 10, Suffix::Lower);
    QFile::rename(folder.file("F1.shp"), folder.file(shp));
    QFile::rename(folder.file("F1.shx"), folder.file(shx));
    const ShapefileReader::Result read = ShapefileReader::read(folder.file(shp));
    QVERIFY2(read.table, qPrintable(read.error.detail));
    QCOMPARE(read.table->shapes().size(), 1);
}

void TestShapefileReader::rejectsMalformedFiles_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("where"); // suffix of the file named in the error
    const int past = int(ErrorKind::PastEndOfFile);
    const int invalid = int(ErrorKind::InvalidArgument);
    QTest::newRow("truncated shp") << "truncate shp 120" << past << "P.SHP";
    QTest::newRow("shp shorter than header") << "truncate shp 60" << past << "P.SHP";
    QTest::newRow("empty shx") << "truncate shx 0" << past << "P.SHX";
    QTest::newRow("bad file code") << "shp 0 1234 be" << invalid << "P.SHP";
    QTest::newRow("missing shx") << "remove shx" << int(ErrorKind::FileNotFound) << "P.shx";
    QTest::newRow("shx length past its end") << "shx 24 2147483632 be" << past << "P.SHX";
    QTest::newRow("record offset beyond end") << "shx 100 268435456 be" << past << "P.SHP";
    QTest::newRow("negative record offset") << "shx 100 -8 be" << past << "P.SHP";
    QTest::newRow("record length beyond end") << "shp 104 1000000 be" << past << "P.SHP";
    QTest::newRow("absurd point count") << "shp 148 2147483647 le" << invalid << "P.SHP";
    QTest::newRow("absurd part count") << "shp 144 100000000 le" << invalid << "P.SHP";
    QTest::newRow("negative point count") << "shp 148 -1 le" << invalid << "P.SHP";
    QTest::newRow("part start out of range") << "shp 156 4000 le" << invalid << "P.SHP";
    QTest::newRow("unsupported shape type") << "shp 32 31 le" << invalid << "P.SHP";
    QTest::newRow("record of another type") << "shp 108 1 le" << invalid << "P.SHP";
}

void TestShapefileReader::rejectsMalformedFiles()
{
    QFETCH(QString, damage);
    QFETCH(int, kind);
    QFETCH(QString, where);
    TestFolder folder;
    using ShapeFixture::square;
    const QString shp = ShapeFixture::writePolygons(
        folder.path(), "P", {{square(0, 0, 10), square(20, 0, 10)}, {square(50, 50, 5)}});
    const QString shx = folder.file("P.SHX");
    const QStringList words = damage.split(' ');
    const QString target = words.value(1) == "shx" || words.value(0) == "shx" ? shx : shp;
    if (words[0] == "truncate")
        ShapeFixture::truncateFile(target, words[2].toLongLong());
    else if (words[0] == "remove")
        QVERIFY(QFile::remove(shx));
    else
        ShapeFixture::patchInt32(target, words[1].toLongLong(), words[2].toInt(), words[3] == "be");

    const ShapefileReader::Result read = ShapefileReader::read(shp);
    QVERIFY(!read.table);
    QCOMPARE(int(read.error.kind), kind);
    QVERIFY2(read.error.where.endsWith('/' + where), qPrintable(read.error.where));
    QVERIFY(!read.error.detail.isEmpty());
}

void TestShapefileReader::readsRealFieldBoundaries()
{
    TestFolder folder;
    const QString shp = ShapeFixture::unzipRealFields(folder.file("real"));
    if (shp.isEmpty())
        QSKIP("real field boundaries or unzip not available");
    const ShapefileReader::Result read = ShapefileReader::read(shp);
    QVERIFY2(read.table, qPrintable(read.error.detail));
    QCOMPARE(read.table->shapes().size(), ShapeFixture::realFieldCount);
    int twoParts = 0;
    for (const MapShape& shape : read.table->shapes()) {
        QVERIFY(shape.parts.size() == 1 || shape.parts.size() == 2);
        if (shape.parts.size() == 2) {
            ++twoParts;
            // Each part is a closed ring of its own, not one ring across both.
            for (const QPolygonF& ring : shape.parts)
                QCOMPARE(ring.first(), ring.last());
        }
    }
    QCOMPARE(twoParts, ShapeFixture::realTwoPartFieldCount);
    // ETRS89 / UTM 32N: eastings around 0.5 million, northings around 6 million metres.
    QVERIFY(read.table->bounds().minX > 400000 && read.table->bounds().maxX < 800000);
    QVERIFY(read.table->bounds().minY > 6000000 && read.table->bounds().maxY < 6500000);
}

QTEST_APPLESS_MAIN(TestShapefileReader)
#include "tst_shapefilereader.moc"
