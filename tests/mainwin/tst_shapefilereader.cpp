#include "ShapeFixture.h"
#include "ShapefileReader.h"
#include "TestFolder.h"

#include <QTest>

#include <shapefil.h>

using namespace ShapeFixture;

namespace {
// Writes folder/S.shp and S.shx with shapelib: count shapes of type, each the
// square (0,0)-(10,10) as one part of five vertices with Z values (one vertex
// for points).
QString writeShapes(const QString& folder, int type, int count)
{
    const QString path = folder + "/S.shp";
    SHPHandle shp = SHPCreate(QFile::encodeName(path).constData(), type);
    const double x[] = {0, 0, 10, 10, 0};
    const double y[] = {0, 10, 10, 0, 0};
    const double z[] = {1, 2, 3, 4, 1};
    const bool point = type == SHPT_POINT || type == SHPT_POINTZ || type == SHPT_POINTM;
    for (int i = 0; i < count; ++i) {
        SHPObject* object = SHPCreateSimpleObject(type, point ? 1 : 5, x, y, z);
        SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
    }
    SHPClose(shp);
    return path;
}

// Applies one damage, given as the words after the file's suffix: "cut 120",
// "append 8", or a position, a 32-bit value and its byte order ("28 999 le").
QByteArray damaged(QByteArray bytes, const QStringList& words)
{
    if (words[0] == "cut")
        bytes.truncate(words[1].toInt());
    else if (words[0] == "append")
        bytes.append(words[1].toInt(), '\0');
    else
        bytes = withInt32(bytes, words[0].toLongLong(), words[1].toInt(), words[2] == "be");
    return bytes;
}
} // namespace

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
        QStringList words = damage.split(' ');
        QByteArray& bytes = words.takeFirst() == "shx" ? file.shx : file.shp;
        if (words[0] != "gone")
            bytes = damaged(bytes, words);
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

    // A shapefile is read only when header, index and records agree exactly;
    // anything else is refused naming the file and what disagrees. Three
    // records of one shape each, written by shapelib: for polygons at bytes
    // 100, 236 and 372 of the .shp (64 words each, 508 bytes in all), index
    // entries at 100, 108 and 116 (124 bytes in all).
    void readOnlyWhenAllAgrees_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<QString>("file"); // the file the error names
        QTest::addColumn<QString>("detail");
        const int polygon = SHPT_POLYGON;

        // Z and M types carry measures, so their exact lengths differ.
        for (int type : {SHPT_POINT, SHPT_POINTZ, SHPT_POINTM, SHPT_MULTIPOINTZ, SHPT_MULTIPOINTM,
                         SHPT_ARC, SHPT_POLYGON, SHPT_POLYGONZ, SHPT_POLYGONM})
            QTest::addRow("type %d as written", type) << type << QStringList() << QString() << "";
        QTest::newRow("version of the main file")
            << polygon << QStringList{"shp 28 999 le"} << "S.shp"
            << "version 999 instead of 1000";
        QTest::newRow("version of the index") << polygon << QStringList{"shx 28 0 le"} << "S.shx"
                                              << "version 0 instead of 1000";
        QTest::newRow("bytes after the last record")
            << polygon << QStringList{"shp append 8"} << "S.shp"
            << "header gives a length of 508 bytes, the file has 516";
        QTest::newRow("index header gives less than the file")
            << polygon << QStringList{"shx 24 58 be"} << "S.shx"
            << "header gives a length of 116 bytes, the file has 124";
        QTest::newRow("index of part of an entry")
            << polygon << QStringList{"shx append 4", "shx 24 64 be"} << "S.shx"
            << "28 bytes of entries are not a whole number of 8-byte entries";
        QTest::newRow("index of another shape type")
            << polygon << QStringList{"shx 32 3 le"} << "S.shx"
            << "shape type 3, the main file has 5";
        QTest::newRow("record shorter than its points")
            << polygon << QStringList{"shp 376 56 be", "shx 120 56 be"} << "S.shp"
            << "record 3: content length 56 words, 1 part and 5 points need 64";
        QTest::newRow("record longer than its points")
            << polygon << QStringList{"shp 104 68 be", "shx 104 68 be"} << "S.shp"
            << "record 1: content length 68 words, 1 part and 5 points need 64";
        QTest::newRow("point count raised")
            << polygon << QStringList{"shp 148 6 le"} << "S.shp"
            << "record 1: content length 64 words, 1 part and 6 points need 72";
        QTest::newRow("part count raised")
            << polygon << QStringList{"shp 280 2 le"} << "S.shp"
            << "record 2: content length 64 words, 2 parts and 5 points need 66";
        QTest::newRow("index and record disagree")
            << polygon << QStringList{"shx 112 60 be"} << "S.shp"
            << "record 2: content length 64 words, the index gives 60";
        QTest::newRow("point Z record without Z")
            << int(SHPT_POINTZ) << QStringList{"shp 104 10 be", "shx 104 10 be"} << "S.shp"
            << "record 1: content length 10 words, its coordinates need 14 or 18";
    }
    void readOnlyWhenAllAgrees()
    {
        QFETCH(int, type);
        QFETCH(QStringList, damage);
        QFETCH(QString, file);
        QFETCH(QString, detail);
        TestFolder folder;
        const QString shp = writeShapes(folder.path(), type, 3);
        for (const QString& step : damage) {
            QStringList words = step.split(' ');
            const QString name = "S." + words.takeFirst();
            folder.writeFile(name, damaged(folder.readFile(name), words));
        }
        const ShapefileReader::Result read = ShapefileReader::read(shp);
        QCOMPARE(read.error.detail, detail);
        if (detail.isEmpty()) {
            QVERIFY(read.table);
            QCOMPARE(read.table->shapes().size(), 3);
        } else {
            QVERIFY(!read.table);
            QCOMPARE(read.error.where, folder.file(file));
            QCOMPARE(read.error.kind, ErrorKind::InvalidArgument);
        }
    }
};

QTEST_APPLESS_MAIN(TestShapefileReader)
#include "tst_shapefilereader.moc"
