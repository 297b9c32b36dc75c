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
        const QPainterPath first = shapePath(read.table->shapes().at(0), MapGeometry::Polygon);
        QVERIFY(first.contains(QPointF(10, 10)));
        QVERIFY(!first.contains(QPointF(50, 50)));
        QVERIFY(first.contains(QPointF(205, 5)));
    }

    // A shapefile is read only when header, index and records agree exactly;
    // anything else is refused naming the file and what disagrees. Type 0:
    // P.SHP/P.SHX of two polygons, the first of two parts. Other types: S.shp
    // and S.shx written by shapelib, three records of one shape each; for
    // polygons at bytes 100, 236 and 372 of the .shp (64 words each, 508 bytes
    // in all), index entries at 100, 108 and 116 (124 bytes in all).
    void readOnlyWhenAllAgrees_data()
    {
        QTest::addColumn<int>("type");
        // Damages: file, then "cut" and a length, "gone", "append" and a count,
        // or position, 32-bit value and byte order.
        QTest::addColumn<QStringList>("damage");
        QTest::addColumn<ErrorKind>("kind");
        QTest::addColumn<QString>("file");   // the file the error names
        QTest::addColumn<QString>("detail"); // "": any for type 0
        const ErrorKind past = ErrorKind::PastEndOfFile, invalid = ErrorKind::InvalidArgument;
        const auto refused = [](const char* row, const char* damage, ErrorKind kind,
                                const char* file) {
            QTest::newRow(row) << 0 << QStringList{damage} << kind << QString(file) << QString();
        };
        const auto disagree = [](const char* row, const QStringList& damage, const char* file,
                                 const char* detail, int type = SHPT_POLYGON) {
            QTest::newRow(row) << type << damage << ErrorKind::InvalidArgument << QString(file)
                               << QString(detail);
        };
        // Z and M types carry measures, so their exact lengths differ.
        for (int type : {SHPT_POINT, SHPT_POINTZ, SHPT_POINTM, SHPT_MULTIPOINTZ, SHPT_MULTIPOINTM,
                         SHPT_ARC, SHPT_POLYGON, SHPT_POLYGONZ, SHPT_POLYGONM})
            QTest::addRow("type %d as written", type)
                << type << QStringList() << ErrorKind::None << ""
                << "";
        refused("truncated shp", "shp cut 120", past, "P.SHP");
        refused("shp shorter than header", "shp cut 60", past, "P.SHP");
        refused("empty shx", "shx cut 0", past, "P.SHX");
        refused("missing shx", "shx gone", ErrorKind::FileNotFound, "P.shx");
        refused("bad file code", "shp 0 1234 be", invalid, "P.SHP");
        refused("shx length past its end", "shx 24 2147483632 be", past, "P.SHX");
        refused("record offset beyond end", "shx 100 268435456 be", past, "P.SHP");
        refused("negative record offset", "shx 100 -8 be", past, "P.SHP");
        refused("record length beyond end", "shp 104 1000000 be", past, "P.SHP");
        refused("absurd point count", "shp 148 2147483647 le", invalid, "P.SHP");
        refused("absurd part count", "shp 144 100000000 le", invalid, "P.SHP");
        refused("negative point count", "shp 148 -1 le", invalid, "P.SHP");
        refused("part start out of range", "shp 156 4000 le", invalid, "P.SHP");
        refused("unsupported shape type", "shp 32 31 le", invalid, "P.SHP");
        refused("record of another type", "shp 108 1 le", invalid, "P.SHP");
        disagree("version of the main file", {"shp 28 999 le"}, "S.shp",
                 "version 999 instead of 1000");
        disagree("version of the index", {"shx 28 0 le"}, "S.shx", "version 0 instead of 1000");
        disagree("bytes after the last record", {"shp append 8"}, "S.shp",
                 "header gives a length of 508 bytes, the file has 516");
        disagree("index header gives less than the file", {"shx 24 58 be"}, "S.shx",
                 "header gives a length of 116 bytes, the file has 124");
        disagree("index of part of an entry", {"shx append 4", "shx 24 64 be"}, "S.shx",
                 "28 bytes of entries are not a whole number of 8-byte entries");
        disagree("index of another shape type", {"shx 32 3 le"}, "S.shx",
                 "shape type 3, the main file has 5");
        disagree("record shorter than its points", {"shp 376 56 be", "shx 120 56 be"}, "S.shp",
                 "record 3: content length 56 words, 1 part and 5 points need 64");
        disagree("record longer than its points", {"shp 104 68 be", "shx 104 68 be"}, "S.shp",
                 "record 1: content length 68 words, 1 part and 5 points need 64");
        disagree("point count raised", {"shp 148 6 le"}, "S.shp",
                 "record 1: content length 64 words, 1 part and 6 points need 72");
        disagree("part count raised", {"shp 280 2 le"}, "S.shp",
                 "record 2: content length 64 words, 2 parts and 5 points need 66");
        disagree("index and record disagree", {"shx 112 60 be"}, "S.shp",
                 "record 2: content length 64 words, the index gives 60");
        disagree("point Z record without Z", {"shp 104 10 be", "shx 104 10 be"}, "S.shp",
                 "record 1: content length 10 words, its coordinates need 14 or 18", SHPT_POINTZ);
    }
    void readOnlyWhenAllAgrees()
    {
        QFETCH(int, type);
        QFETCH(QStringList, damage);
        QFETCH(ErrorKind, kind);
        QFETCH(QString, file);
        QFETCH(QString, detail);
        TestFolder folder;
        const Shapefile two =
            polygonFile({{square(0, 0, 10), square(20, 0, 10)}, {square(50, 50, 5)}});
        const QString shp = type ? writeShapes(folder.path(), type, 3)
                                 : writeShapefile(folder.path(), "P.SHP", two);
        for (const QString& step : damage) {
            QStringList words = step.split(' ');
            const QString ext = words.takeFirst();
            const QString name = type ? "S." + ext : "P." + ext.toUpper();
            if (words[0] == "gone")
                QVERIFY(QFile::remove(folder.file(name)));
            else
                folder.writeFile(name, damaged(folder.readFile(name), words));
        }
        const ShapefileReader::Result read = ShapefileReader::read(shp);
        QCOMPARE(read.error.kind, kind);
        QCOMPARE(!read.table, kind != ErrorKind::None);
        if (read.table) {
            QCOMPARE(read.table->shapes().size(), 3);
            QCOMPARE(read.error.detail, QString());
            return;
        }
        QCOMPARE(read.error.where, folder.file(file));
        QVERIFY2(detail.isEmpty() ? !read.error.detail.isEmpty() : read.error.detail == detail,
                 qPrintable(read.error.detail));
    }
};

QTEST_APPLESS_MAIN(TestShapefileReader)
#include "tst_shapefilereader.moc"
