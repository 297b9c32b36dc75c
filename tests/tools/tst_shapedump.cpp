// Shapefile dump: Reverselong, the number-to-text conversion, the listing of
// good and damaged files against golden files, the command and the print run.
#include "CliCommands.h"
#include "ListingPrint.h"
#include "PdfPages.h"
#include "ShapeDump.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QTest>
#include <QtEndian>

#include <limits>

using namespace ShapeFixture;

namespace {
const Shapefile squareFile = polygonFile({{square(0, 0, 10)}});

// The listing kept in cases/<name>/expected.txt, one line per file line.
QStringList expectedListing(const QString& name)
{
    QFile file(QStringLiteral(SHAPEDUMP_CASES_DIR "/%1/expected.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {"(cannot read " + file.fileName() + ')'};
    const QString text = QString::fromUtf8(file.readAll());
    return text.isEmpty() ? QStringList() : text.chopped(1).split('\n');
}

} // namespace

class TestShapeDump : public QObject {
    Q_OBJECT
private slots:
    void reverselong_data()
    {
        QTest::addColumn<QByteArray>("fileBytes"); // as stored in the file, big-endian
        QTest::newRow("file code 9994") << QByteArray::fromHex("0000270A");
        QTest::newRow("zero") << QByteArray::fromHex("00000000");
        QTest::newRow("128, read negative") << QByteArray::fromHex("00000080");
        QTest::newRow("top bit set") << QByteArray::fromHex("80000001");
        QTest::newRow("largest") << QByteArray::fromHex("FFFFFFFF");
    }
    void reverselong()
    {
        QFETCH(QByteArray, fileBytes);
        double x = qFromLittleEndian<qint32>(fileBytes.constData());
        QCOMPARE(ShapeDump::Reverselong(x), double(qFromBigEndian<quint32>(fileBytes.constData())));
        // The argument is left holding the top byte of its unsigned reading.
        QCOMPARE(x, double(quint8(fileBytes.at(3))));
    }

    void basicStr_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fraction") << 12.5 << " 12.5";
        QTest::newRow("negative") << -3.25 << "-3.25";
        QTest::newRow("minus zero") << -0.0 << " 0";
        QTest::newRow("leading zero kept") << 0.5 << " 0.5";
        QTest::newRow("unsigned maximum") << 4294967295.0 << " 4294967295";
        QTest::newRow("15 digits") << 999999999999999.0 << " 999999999999999";
        QTest::newRow("1E+15") << 1e15 << " 1E+15";
        QTest::newRow("rounded, exponent") << 123456789012345678.0 << " 1.23456789012346E+17";
        QTest::newRow("negative exponent") << -2.5e15 << "-2.5E+15";
        QTest::newRow("0.0001") << 0.0001 << " 0.0001";
        QTest::newRow("1.5E-07") << 1.5e-7 << " 1.5E-07";
        QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << " 0.3";
        QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << " NAN";
        QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity() << "-INF";
    }
    void basicStr()
    {
        QFETCH(double, value);
        // "." whatever the locale.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QString text = ShapeDump::basicStr(value);
        QLocale::setDefault(QLocale::c());
        QTEST(text, "expected");
    }

    void listing_data()
    {
        // The listing (so far) is in cases/<row name>/expected.txt.
        QTest::addColumn<QByteArray>("shp"); // empty: no file; "folder": a folder of that name
        QTest::addColumn<QByteArray>("shx");
        QTest::addColumn<QString>("problem"); // the problem line, "@" for the folder
        const QByteArray shp = squareFile.shp, shx = squareFile.shx;
        const auto shpWith = [&](qint64 pos, qint32 value) { return withInt32(shp, pos, value); };
        const Shapefile three = polygonFile({{square(0, 0, 10)},
                                             {{{100, 100}, {100, 200}, {200, 200}, {100, 100}}},
                                             {square(0, 0, 10)}});
        QTest::newRow("square") << shp << shx << QString();
        QTest::newRow("only-first-record") << three.shp << three.shx << QString();
        QTest::newRow("main-file-missing")
            << QByteArray() << shx << "The file @/plot.shp does not exist.";
        QTest::newRow("main-file-is-folder")
            << QByteArray("folder") << shx << "The file @/plot.shp cannot be read.";
        QTest::newRow("polygon-start-cut-at-130")
            << shp.left(130) << shx
            << "The file @/plot.shp is too short: 136 bytes needed, 130 present.";
        QTest::newRow("first-record-is-point")
            << shpWith(108, 1) << shx
            << "The first record of @/plot.shp is not a polygon (shape type 1).";
        QTest::newRow("polygon-with-two-parts")
            << shpWith(144, 2) << shx
            << "The first polygon of @/plot.shp has 2 parts; only one part can be listed.";
        // Classified as the map reader classifies: what it draws is listed
        // whole, what it refuses is refused with its reason.
        QTest::newRow("polygon-of-two-parts")
            << polygonFile({{square(0, 0, 10), square(20, 20, 5)}}).shp
            << polygonFile({{square(0, 0, 10), square(20, 20, 5)}}).shx << QString();
        QTest::newRow("shapefile-without-records")
            << polygonFile({}).shp << polygonFile({}).shx << QString();
        QPolygonF notANumber = square(0, 0, 10);
        notANumber[2].setX(std::numeric_limits<double>::quiet_NaN());
        QTest::newRow("coordinate-not-a-number")
            << polygonFile({{notANumber}}).shp << polygonFile({{notANumber}}).shx
            << "The map cannot draw @/plot.shp: record 1 holds a coordinate that is not a number "
               "or lies beyond 1e9 m.";
        QTest::newRow("version-999")
            << shpWith(28, 999) << shx
            << "The map cannot draw @/plot.shp: version 999 instead of 1000.";
        QTest::newRow("largest-point-count") << shpWith(148, 2147483647) << shx
                                             << "The first record of @/plot.shp declares "
                                                "2147483647 points, but the file contains 5.";
        QTest::newRow("negative-point-count")
            << shpWith(148, -1) << shx
            << "The first record of @/plot.shp declares -1 points, but the file contains 5.";
        QTest::newRow("last-point-cut-in-half")
            << shp.left(228) << shx
            << "The first record of @/plot.shp declares 5 points, but the file contains 4.";
        QTest::newRow("index-file-missing")
            << shp << QByteArray() << "The index file @/plot.shx does not exist.";
        QTest::newRow("index-entry-cut")
            << shp << shx.left(106)
            << "The file @/plot.shx is too short: 108 bytes needed, 106 present.";
    }
    void listing()
    {
        QFETCH(QByteArray, shp);
        QFETCH(QByteArray, shx);
        QFETCH(QString, problem);
        TestFolder folder;
        if (shp == "folder")
            folder.makeFolder("plot.shp");
        else if (!shp.isEmpty())
            folder.writeFile("plot.shp", shp);
        if (!shx.isEmpty())
            folder.writeFile("plot.shx", shx);
        const ShapeDump::Result result = ShapeDump::dumpShapefile(folder.file("plot.shp"));
        QCOMPARE(result.lines, expectedListing(QTest::currentDataTag()));
        QCOMPARE(result.ok, problem.isEmpty());
        QCOMPARE(ShapeDump::problemLine(result), problem.replace('@', folder.path()));
    }

    void fillKeepsPercentInFileName()
    {
        ShapeDump::Result result;
        result.error.where = QStringLiteral("/data/100%2 done.shp");
        result.arguments = {QStringLiteral("7"), QStringLiteral("3")};
        QCOMPARE(ShapeDump::fillProblemText(QStringLiteral("%1: %2 of %3, %4%"), result),
                 QStringLiteral("/data/100%2 done.shp: 7 of 3, %4%"));
    }

    void command_data()
    {
        QTest::addColumn<QStringList>("args"); // "@" is replaced by the test folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const CommandLine line = CliCommands::shapeDump().commandLine();
        const QString none;
        const auto golden = [](const char* name) {
            return expectedListing(name).join('\n') + '\n';
        };
        QTest::newRow("help") << QStringList{"--help"} << 0 << line.help() << none;
        QTest::newRow("name in other case")
            << QStringList{"@/PLOT.Shp"} << 0 << golden("square") << none;
        QTest::newRow("missing file") << QStringList{"@/none.shp"} << 1 << none
                                      << "shpdump: The file @/none.shp does not exist.\n";
        QTest::newRow("missing index")
            << QStringList{"@/alone.shp"} << 1 << golden("index-file-missing")
            << "shpdump: The index file @/alone.shx does not exist.\n";
        // No shapefile: nothing of it is listed.
        QTest::newRow("attribute table")
            << QStringList{"@/plot.dbf"} << 1 << none
            << "shpdump: The file @/plot.dbf is not a shapefile (file code 58590478 instead of "
               "9994).\n";
        QTest::newRow("index file is text")
            << QStringList{"@/textindex.shp"} << 1 << golden("index-file-missing")
            << "shpdump: The file @/textindex.shx is not a shapefile (file code 1181052004 "
               "instead of 9994).\n";
    }
    void command()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        TestFolder folder;
        writeShapefile(folder.path(), "plot.shp", squareFile);
        folder.writeFile("alone.shp", squareFile.shp);
        const QByteArray text = QByteArray("Feldnotizen\n").repeated(20);
        folder.writeFile("plot.dbf", QByteArray::fromHex("037e050e01000000410015") + text);
        folder.writeFile("textindex.shp", squareFile.shp);
        folder.writeFile("textindex.shx", text);
        args.replaceInStrings("@", folder.path());
        QString outText, errText;
        QTextStream out(&outText), errStream(&errText);
        QTEST(runCommand("shpdump", args, out, errStream), "exitCode");
        QTEST(outText, "out");
        QCOMPARE(errText, err.replace('@', folder.path()));
    }

    void printStartsNewPages()
    {
        TestFolder folder;
        QPdfWriter writer(folder.file("list.pdf"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        const int perPage = ListingPrint::linesPerPage(writer);
        QVERIFY2(perPage > 20 && perPage < 200, qPrintable(QString::number(perPage)));
        QStringList lines; // empty lines take a line's height too
        for (int i = 0; i < 2 * perPage + 1; ++i)
            lines << (i % 7 == 3 ? QString() : QStringLiteral(" %1      %2").arg(i).arg(i * 0.5));
        QCOMPARE(ListingPrint::print(writer, lines), 3);
        QCOMPARE(pdfPageCount(folder.readFile("list.pdf")), 3);

        QPdfWriter exact(folder.file("exact.pdf"));
        exact.setPageSize(QPageSize(QPageSize::A4));
        QCOMPARE(ListingPrint::print(exact, lines.mid(0, perPage)), 1);
        QPdfWriter none(folder.file("none.pdf"));
        QCOMPARE(ListingPrint::print(none, {}), 0);
    }
};

QTEST_MAIN(TestShapeDump)
#include "tst_shapedump.moc"
