// A shapefile is read only when header, index and records agree exactly;
// anything else is refused naming the file and what disagrees.
#include "ShapeFixture.h"
#include "ShapefileReader.h"
#include "TestFolder.h"

#include <QFile>
#include <QtTest>

#include <shapefil.h>

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

void append(const QString& path, int bytes)
{
    QFile file(path);
    if (file.open(QIODevice::Append))
        file.write(QByteArray(bytes, '\0'));
}

} // namespace

class TestShapefileChecks : public QObject {
    Q_OBJECT
private slots:
    void readOnlyWhenAllAgrees_data();
    void readOnlyWhenAllAgrees();
};

void TestShapefileChecks::readOnlyWhenAllAgrees_data()
{
    // Three records of one shape each, written by shapelib as S.shp and
    // S.shx. For polygons: in the .shp at bytes 100, 236 and 372 (content 64
    // words each), 508 bytes in all; index entries at 100, 108 and 116, 124
    // bytes in all. "shp 28 999 le" writes 999 little-endian at byte 28;
    // "append shx 4" adds four bytes. Without damage and detail the file is
    // read: Z and M types carry measures, so their exact lengths differ.
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("damage");
    QTest::addColumn<QString>("file"); // the file the error names
    QTest::addColumn<QString>("detail");
    const int polygon = SHPT_POLYGON;

    const std::pair<const char*, int> layouts[] = {{"point", SHPT_POINT},
                                                   {"point Z", SHPT_POINTZ},
                                                   {"point M", SHPT_POINTM},
                                                   {"multipoint Z", SHPT_MULTIPOINTZ},
                                                   {"multipoint M", SHPT_MULTIPOINTM},
                                                   {"line", SHPT_ARC},
                                                   {"polygon", SHPT_POLYGON},
                                                   {"polygon Z", SHPT_POLYGONZ},
                                                   {"polygon M", SHPT_POLYGONM}};
    for (const auto& [name, type] : layouts)
        QTest::addRow("%s as written", name) << type << QStringList() << ""
                                             << "";
    QTest::newRow("version of the main file") << polygon << QStringList{"shp 28 999 le"} << "S.shp"
                                              << "version 999 instead of 1000";
    QTest::newRow("version of the index") << polygon << QStringList{"shx 28 0 le"} << "S.shx"
                                          << "version 0 instead of 1000";
    QTest::newRow("bytes after the last record")
        << polygon << QStringList{"append shp 8"} << "S.shp"
        << "header gives a length of 508 bytes, the file has 516";
    QTest::newRow("index header gives less than the file")
        << polygon << QStringList{"shx 24 58 be"} << "S.shx"
        << "header gives a length of 116 bytes, the file has 124";
    QTest::newRow("index of part of an entry")
        << polygon << QStringList{"append shx 4", "shx 24 64 be"} << "S.shx"
        << "28 bytes of entries are not a whole number of 8-byte entries";
    QTest::newRow("index of another shape type") << polygon << QStringList{"shx 32 3 le"} << "S.shx"
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

void TestShapefileChecks::readOnlyWhenAllAgrees()
{
    QFETCH(int, type);
    QFETCH(QStringList, damage);
    QFETCH(QString, file);
    QFETCH(QString, detail);
    TestFolder folder;
    const QString shp = writeShapes(folder.path(), type, 3);
    for (const QString& step : damage) {
        const QStringList words = step.split(' ');
        if (words[0] == "append")
            append(folder.file("S." + words[1]), words[2].toInt());
        else
            folder.writeFile("S." + words[0],
                             ShapeFixture::withInt32(folder.readFile("S." + words[0]),
                                                     words[1].toLongLong(), words[2].toInt(),
                                                     words[3] == "be"));
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

QTEST_GUILESS_MAIN(TestShapefileChecks)
#include "tst_shapefilechecks.moc"
