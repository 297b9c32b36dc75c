#include "ShapeFixture.h"
#include "ShapefileReader.h"
#include "TestFolder.h"

#include <QTest>

using namespace ShapeFixture;

class TestShapefileReader : public QObject {
    Q_OBJECT
private slots:
    void readsPartsAndHoles()
    {
        TestFolder folder;
        // The index is found ignoring case: "plot.v2.sHx" beside "plot.v2.ShP".
        const Shapefile file =
            polygonFile({{square(0, 0, 100), square(25, 25, 50, true), square(200, 0, 10)},
                         {square(-5, -5, 1)}});
        folder.writeFile("plot.v2.sHx", file.shx);
        const ShapefileReader::Result read =
            ShapefileReader::read(folder.writeFile("plot.v2.ShP", file.shp));
        QVERIFY2(read.table, qPrintable(read.error.detail));
        QCOMPARE(read.table->baseName(), QStringLiteral("plot.v2"));
        QCOMPARE(read.table->shapes().size(), 2);
        QCOMPARE(read.table->shapes().at(0).parts.size(), 3);
        QCOMPARE(read.table->shapes().at(0).parts.at(1), square(25, 25, 50, true));
        QCOMPARE(read.table->bounds(), MapExtent::of(-5, -5, 210, 100));
        // The hole is left unfilled by the odd-even rule.
        const QPainterPath& first = read.table->shapes().at(0).path;
        QVERIFY(first.contains(QPointF(10, 10)));
        QVERIFY(!first.contains(QPointF(50, 50)));
        QVERIFY(first.contains(QPointF(205, 5)));
    }

    void rejectsMalformedFiles_data()
    {
        QTest::addColumn<QString>("damage"); // file, then "cut" and a length, "gone", or
                                             // position, 32-bit value and byte order
        QTest::addColumn<ErrorKind>("kind");
        QTest::addColumn<QString>("where"); // name of the file the error gives
        const ErrorKind past = ErrorKind::PastEndOfFile, invalid = ErrorKind::InvalidArgument;
        QTest::newRow("truncated shp") << "shp cut 120" << past << "P.SHP";
        QTest::newRow("shp shorter than header") << "shp cut 60" << past << "P.SHP";
        QTest::newRow("empty shx") << "shx cut 0" << past << "P.SHX";
        QTest::newRow("missing shx") << "shx gone" << ErrorKind::FileNotFound << "P.shx";
        QTest::newRow("bad file code") << "shp 0 1234 be" << invalid << "P.SHP";
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
    void rejectsMalformedFiles()
    {
        QFETCH(QString, damage);
        QFETCH(QString, where);
        Shapefile file = polygonFile({{square(0, 0, 10), square(20, 0, 10)}, {square(50, 50, 5)}});
        const QStringList words = damage.split(' ');
        QByteArray& bytes = words[0] == "shx" ? file.shx : file.shp;
        if (words[1] == "cut")
            bytes.truncate(words[2].toInt());
        else if (words[1] != "gone")
            bytes = withInt32(bytes, words[1].toInt(), words[2].toInt(), words[3] == "be");
        TestFolder folder;
        if (damage != "shx gone")
            folder.writeFile("P.SHX", file.shx);

        const ShapefileReader::Result read =
            ShapefileReader::read(folder.writeFile("P.SHP", file.shp));
        QVERIFY(!read.table);
        QTEST(read.error.kind, "kind");
        QVERIFY2(read.error.where.endsWith('/' + where), qPrintable(read.error.where));
        QVERIFY(!read.error.detail.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestShapefileReader)
#include "tst_shapefilereader.moc"
