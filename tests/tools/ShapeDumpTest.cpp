// Shapefile dump: Reverselong, the number-to-text conversion, the
// listing of whole files (good and damaged), the command and the catalogue
// texts of the problem lines.
#include "ShapeDump.h"
#include "CatalogueSource.h"
#include "ListingPrint.h"
#include "PdfPages.h"
#include "ShapeBytes.h"
#include "ShapeDumpCommand.h"
#include "ShapeDumpTextKeys.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <limits>

using namespace ShapeBytes;
using ShapeDump::Problem;

Q_DECLARE_METATYPE(ShapeDump::Problem)
Q_DECLARE_METATYPE(ErrorKind)
Q_DECLARE_METATYPE(Shapefile)

namespace {

// The square (0,0)-(10,10) as one closed ring, clockwise.
QList<QPointF> square()
{
    return {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
}

// How a damaged case leaves a file name in the test folder.
enum FileState { Write, Absent, Folder };

QByteArray patched(QByteArray bytes, int pos, const QByteArray& value)
{
    bytes.replace(pos, value.size(), value);
    return bytes;
}

// Writes <baseName>.shp and <baseName>.shx; returns the main file's path.
QString writeShapefile(const TestFolder& folder, const QString& baseName, const Shapefile& file)
{
    folder.writeFile(baseName + ".shx", file.shx);
    return folder.writeFile(baseName + ".shp", file.shp);
}

// The listing kept in cases/<name>/expected.txt, one line per file line, each
// ending in a line feed. An unreadable or unterminated file yields a single
// line saying so, which fails the comparison.
QStringList expectedListing(const QString& name)
{
    QFile file(QStringLiteral(SHAPEDUMP_CASES_DIR "/%1/expected.txt").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("(cannot read %1)").arg(file.fileName())};
    const QString text = QString::fromUtf8(file.readAll());
    if (text.isEmpty())
        return {};
    if (!text.endsWith('\n'))
        return {QStringLiteral("(no line feed at the end of %1)").arg(file.fileName())};
    return text.chopped(1).split('\n');
}

// The command's output for a listing: every line ends in a line feed.
QString listingText(const QStringList& lines)
{
    return lines.isEmpty() ? QString() : lines.join('\n') + '\n';
}

// The first line (counted from 1) where two listings differ, or "" when they
// are equal; QCOMPARE on lists of unequal size reports only the sizes.
QString firstDifference(const QStringList& actual, const QStringList& expected)
{
    const auto shown = [](const QStringList& lines, qsizetype i) {
        return i < lines.size() ? '"' + lines.at(i) + '"' : QStringLiteral("(no line)");
    };
    for (qsizetype i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        if (shown(actual, i) != shown(expected, i))
            return QStringLiteral("line %1: actual %2, expected %3")
                .arg(i + 1)
                .arg(shown(actual, i), shown(expected, i));
    }
    return {};
}

// The placeholders %1 ... %9 that a text uses.
QList<int> placeholders(const QString& text)
{
    QList<int> found;
    const QRegularExpression re(QStringLiteral("%([1-9])"));
    for (auto it = re.globalMatch(text); it.hasNext();)
        found << it.next().captured(1).toInt();
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

} // namespace

class ShapeDumpTest : public QObject {
    Q_OBJECT
private slots:
    void reverselong_data();
    void reverselong();
    void reverselongLeavesArgument();
    void basicStr_data();
    void basicStr();
    void basicStrIgnoresLocale();
    void listing_data();
    void listing();
    void namesIgnoreCase();
    void damaged_data();
    void damaged();
    void genuineTwoPartPolygon();
    void fillKeepsPercentInFileName();
    void command_data();
    void command();
    void catalogueHasEveryKey();
    void printStartsNewPages();
};

void ShapeDumpTest::reverselong_data()
{
    QTest::addColumn<QByteArray>("fileBytes"); // as stored in the file
    QTest::addColumn<double>("expected");
    QTest::newRow("file code 9994") << QByteArray::fromHex("0000270A") << 9994.0;
    QTest::newRow("zero") << QByteArray::fromHex("00000000") << 0.0;
    QTest::newRow("one") << QByteArray::fromHex("00000001") << 1.0;
    // The little-endian reading is negative (its top bit is the last byte's).
    QTest::newRow("128, read negative") << QByteArray::fromHex("00000080") << 128.0;
    QTest::newRow("16777344, read negative") << QByteArray::fromHex("01000080") << 16777344.0;
    // Big-endian values with the top bit set.
    QTest::newRow("2147483649") << QByteArray::fromHex("80000001") << 2147483649.0;
    QTest::newRow("4294967294") << QByteArray::fromHex("FFFFFFFE") << 4294967294.0;
    QTest::newRow("4294967295") << QByteArray::fromHex("FFFFFFFF") << 4294967295.0;
}

void ShapeDumpTest::reverselong()
{
    QFETCH(QByteArray, fileBytes);
    QFETCH(double, expected);
    const double asRead = qFromLittleEndian<qint32>(fileBytes.constData());
    const double result = ShapeDump::Reverselong(asRead);
    QCOMPARE(result, expected);
    QVERIFY(result >= 0 && result < 4294967296.0);
    QCOMPARE(result, double(qFromBigEndian<quint32>(fileBytes.constData())));
}

void ShapeDumpTest::reverselongLeavesArgument()
{
    double x = -2; // bytes FE FF FF FF, unsigned 4294967294
    QCOMPARE(ShapeDump::Reverselong(x), 4278190079.0);
    QCOMPARE(x, 255.0);   // Int(4294967294 / 16777216)
    double y = 170328064; // 00 00 27 0A read little-endian
    QCOMPARE(ShapeDump::Reverselong(y), 9994.0);
    QCOMPARE(y, 10.0);
    const double z = 170328064; // a constant: the copy takes the side effect
    QCOMPARE(ShapeDump::Reverselong(z), 9994.0);
    QCOMPARE(z, 170328064.0);
}

void ShapeDumpTest::basicStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("file code") << 9994.0 << " 9994";
    QTest::newRow("12.5") << 12.5 << " 12.5";
    QTest::newRow("7.25") << 7.25 << " 7.25";
    QTest::newRow("negative") << -3.25 << "-3.25";
    QTest::newRow("negative whole") << -2147483648.0 << "-2147483648";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("minus zero") << -0.0 << " 0";
    QTest::newRow("half, leading zero kept") << 0.5 << " 0.5";
    QTest::newRow("unsigned maximum") << 4294967295.0 << " 4294967295";
    QTest::newRow("15 digits") << 999999999999999.0 << " 999999999999999";
    QTest::newRow("1E+15") << 1e15 << " 1E+15";
    QTest::newRow("1E+20") << 1e20 << " 1E+20";
    QTest::newRow("rounded to 15 digits, exponent")
        << 123456789012345678.0 << " 1.23456789012346E+17";
    QTest::newRow("negative exponent") << -2.5e15 << "-2.5E+15";
    QTest::newRow("0.0001") << 0.0001 << " 0.0001";
    QTest::newRow("1E-05") << 0.00001 << " 1E-05";
    QTest::newRow("1.5E-07") << 1.5e-7 << " 1.5E-07";
    QTest::newRow("no-data M value") << -1e39 << "-1E+39";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << " 0.3";
    QTest::newRow("UTM easting") << 512345.678901234567 << " 512345.678901235";
    QTest::newRow("UTM northing") << 6172345.25 << " 6172345.25";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << " NAN";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << " INF";
    QTest::newRow("minus infinite") << -std::numeric_limits<double>::infinity() << "-INF";
}

void ShapeDumpTest::basicStr()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(ShapeDump::basicStr(value), expected);
}

void ShapeDumpTest::basicStrIgnoresLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QString text = ShapeDump::basicStr(1234567.5);
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral(" 1234567.5"));
}

void ShapeDumpTest::listing_data()
{
    QTest::addColumn<Shapefile>("file");
    QTest::addColumn<int>("shpSize");
    QTest::addColumn<int>("shxSize");

    // 236-byte main file (118 words), record content 128 bytes (64 words),
    // 108-byte index file (54 words), record 1 at word 50.
    const Shapefile good = ringFile(square());
    QTest::newRow("square") << good << 236 << 108;
    // 100 + 8 + 48 + 4 * 16 = 220 bytes (110 words); content 112 bytes.
    const QList<QPointF> pointLine = {{12.5, 7.25}, {-3.25, 7.25}, {-3.25, 1e20}, {12.5, 7.25}};
    QTest::newRow("point-line") << ringFile(pointLine) << 220 << 108;
    // File length 80 00 00 76 (top bit set), record number 128 stored
    // 00 00 00 80 (read negative little-endian).
    Shapefile big = good;
    big.shp = patched(big.shp, 24, be32(0x80000076u));
    big.shp = patched(big.shp, 100, be32(128));
    big.shx = patched(big.shx, 100, be32(0xFFFFFFFFu));
    QTest::newRow("top-bit-values") << big << 236 << 108;
    // Records of 8 + 128, 8 + 112 and 8 + 128 bytes after the 100-byte
    // header; only the first record and index entry are listed.
    const QList<QPointF> second = {{100, 100}, {100, 200}, {200, 200}, {100, 100}};
    QTest::newRow("only-first-record")
        << polygonFile({{square()}, {second}, {square()}}) << 492 << 124;
}

void ShapeDumpTest::listing()
{
    QFETCH(Shapefile, file);
    QFETCH(int, shpSize);
    QFETCH(int, shxSize);
    QCOMPARE(file.shp.size(), shpSize);
    QCOMPARE(file.shx.size(), shxSize);

    TestFolder folder;
    const ShapeDump::Result result = ShapeDump::dumpShapefile(writeShapefile(folder, "plot", file));
    QVERIFY(result.ok);
    QCOMPARE(result.problem, Problem::None);
    QCOMPARE(result.error.kind, ErrorKind::None);
    QCOMPARE(firstDifference(result.lines, expectedListing(QTest::currentDataTag())), QString());
    QCOMPARE(ShapeDump::problemLine(result), QString());
}

void ShapeDumpTest::namesIgnoreCase()
{
    TestFolder folder;
    const Shapefile file = ringFile(square());
    folder.writeFile("Acker1F.SHP", file.shp);
    folder.writeFile("acker1f.Shx", file.shx);
    QCOMPARE(ShapeDump::indexFilePath(folder.file("Acker1F.SHP")), folder.file("acker1f.Shx"));
    const ShapeDump::Result result = ShapeDump::dumpShapefile(folder.file("ACKER1F.shp"));
    QVERIFY(result.ok);
    QCOMPARE(firstDifference(result.lines, expectedListing("square")), QString());
}

void ShapeDumpTest::damaged_data()
{
    // The listing so far is in cases/<row name>/expected.txt.
    QTest::addColumn<QByteArray>("shp");
    QTest::addColumn<int>("shpState");
    QTest::addColumn<QByteArray>("shx");
    QTest::addColumn<int>("shxState");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("where"); // file name in the test folder
    QTest::addColumn<QStringList>("arguments");

    const Shapefile good = ringFile(square());
    const auto mainFile = [&](const char* name, const QByteArray& shp,
                              int state = Write) -> QTestData& {
        return QTest::newRow(name) << shp << state << good.shx << int(Write);
    };
    const auto indexFile = [&](const char* name, const QByteArray& shx,
                               int state = Write) -> QTestData& {
        return QTest::newRow(name) << good.shp << int(Write) << shx << state;
    };

    mainFile("main-file-missing", {}, Absent)
        << Problem::FileMissing << ErrorKind::FileNotFound << "plot.shp" << QStringList();
    mainFile("main-file-is-folder", {}, Folder)
        << Problem::FileUnreadable << ErrorKind::PathFileAccess << "plot.shp" << QStringList();
    mainFile("empty-main-file", {}) << Problem::FileTooShort << ErrorKind::PastEndOfFile
                                    << "plot.shp" << QStringList{"28", "0"};
    mainFile("header-cut-at-60", good.shp.left(60))
        << Problem::FileTooShort << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"68", "60"};
    mainFile("header-only", good.shp.left(100)) << Problem::FileTooShort << ErrorKind::PastEndOfFile
                                                << "plot.shp" << QStringList{"104", "100"};
    mainFile("polygon-start-cut-at-130", good.shp.left(130))
        << Problem::FileTooShort << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"136", "130"};
    mainFile("first-record-is-point", patched(good.shp, 108, le32(1)))
        << Problem::NotPolygon << ErrorKind::InvalidArgument << "plot.shp" << QStringList{"1"};
    mainFile("first-record-is-polygon-z", patched(good.shp, 108, le32(15)))
        << Problem::NotPolygon << ErrorKind::InvalidArgument << "plot.shp" << QStringList{"15"};
    mainFile("polygon-with-two-parts", patched(good.shp, 144, le32(2)))
        << Problem::NotSinglePart << ErrorKind::InvalidArgument << "plot.shp" << QStringList{"2"};
    mainFile("polygon-with-no-part", patched(good.shp, 144, le32(0)))
        << Problem::NotSinglePart << ErrorKind::InvalidArgument << "plot.shp" << QStringList{"0"};
    mainFile("1000-points-given-5-held", patched(good.shp, 148, le32(1000)))
        << Problem::PointCountTooLarge << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"1000", "5"};
    mainFile("largest-point-count", patched(good.shp, 148, le32(2147483647)))
        << Problem::PointCountTooLarge << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"2147483647", "5"};
    mainFile("negative-point-count", patched(good.shp, 148, le32(-1)))
        << Problem::PointCountTooLarge << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"-1", "5"};
    mainFile("last-point-cut-in-half", good.shp.left(228))
        << Problem::PointCountTooLarge << ErrorKind::PastEndOfFile << "plot.shp"
        << QStringList{"5", "4"};
    indexFile("index-file-missing", {}, Absent)
        << Problem::IndexFileMissing << ErrorKind::FileNotFound << "plot.shx" << QStringList();
    indexFile("index-header-cut-at-50", good.shx.left(50))
        << Problem::FileTooShort << ErrorKind::PastEndOfFile << "plot.shx"
        << QStringList{"52", "50"};
    indexFile("index-without-entry", good.shx.left(100))
        << Problem::FileTooShort << ErrorKind::PastEndOfFile << "plot.shx"
        << QStringList{"104", "100"};
    indexFile("index-entry-cut", good.shx.left(106))
        << Problem::FileTooShort << ErrorKind::PastEndOfFile << "plot.shx"
        << QStringList{"108", "106"};
}

void ShapeDumpTest::damaged()
{
    QFETCH(QByteArray, shp);
    QFETCH(int, shpState);
    QFETCH(QByteArray, shx);
    QFETCH(int, shxState);
    QFETCH(Problem, problem);
    QFETCH(ErrorKind, kind);
    QFETCH(QString, where);
    QFETCH(QStringList, arguments);

    TestFolder folder;
    if (shpState == Write)
        folder.writeFile("plot.shp", shp);
    else if (shpState == Folder)
        folder.makeFolder("plot.shp");
    if (shxState == Write)
        folder.writeFile("plot.shx", shx);

    const ShapeDump::Result result = ShapeDump::dumpShapefile(folder.file("plot.shp"));
    QVERIFY(!result.ok);
    QCOMPARE(firstDifference(result.lines, expectedListing(QTest::currentDataTag())), QString());
    QCOMPARE(result.problem, problem);
    QCOMPARE(result.error.kind, kind);
    QCOMPARE(result.error.where, folder.file(where));
    QVERIFY(!result.error.detail.isEmpty());
    QCOMPARE(result.arguments, arguments);

    // One line says what is wrong, with the file and the values filled in.
    const QString line = ShapeDump::problemLine(result);
    QVERIFY(line.contains(QDir::toNativeSeparators(folder.file(where))));
    QVERIFY2(!line.contains(QRegularExpression("%[1-9]")), qPrintable(line));
    QVERIFY(!line.contains('\n'));
    for (const QString& argument : arguments)
        QVERIFY2(line.contains(argument), qPrintable(line));
}

void ShapeDumpTest::genuineTwoPartPolygon()
{
    TestFolder folder;
    const QList<QPointF> hole = {{2, 2}, {4, 2}, {4, 4}, {2, 2}};
    const Shapefile file = polygonFile({{square(), hole}});
    const QString shp = writeShapefile(folder, "holed", file);
    const ShapeDump::Result result = ShapeDump::dumpShapefile(shp);
    QVERIFY(!result.ok);
    QCOMPARE(result.problem, Problem::NotSinglePart);
    QCOMPARE(result.lines.mid(23), (QStringList{" 2", " 9"}));
    QCOMPARE(ShapeDump::problemLine(result),
             QStringLiteral("The first polygon of %1 has 2 parts; only one part can be listed.")
                 .arg(QDir::toNativeSeparators(shp)));
}

void ShapeDumpTest::fillKeepsPercentInFileName()
{
    ShapeDump::Result result;
    result.error.where = QStringLiteral("/data/100%2 done.shp");
    result.arguments = {QStringLiteral("7"), QStringLiteral("3")};
    QCOMPARE(ShapeDump::fillProblemText(QStringLiteral("%1: %2 of %3, %4%"), result),
             QStringLiteral("/data/100%2 done.shp: 7 of 3, %4%"));
}

void ShapeDumpTest::command_data()
{
    QTest::addColumn<QStringList>("args"); // "@" is replaced by the test folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expectedOut");
    QTest::addColumn<QString>("expectedErr");

    const QString usage = shapeDumpUsage() + '\n';
    QTest::newRow("no argument") << QStringList() << 2 << QString() << usage;
    QTest::newRow("two arguments")
        << QStringList{"@/plot.shp", "@/other.shp"} << 2 << QString() << usage;
    QTest::newRow("empty argument") << QStringList{""} << 2 << QString() << usage;
    QTest::newRow("help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("good file") << QStringList{"@/plot.shp"} << 0
                               << listingText(expectedListing("square")) << QString();
    // A measurement working file as the handheld leaves it: base name + "F",
    // upper-case suffixes, one closed ring in UTM metres.
    QTest::newRow("measurement") << QStringList{"@/MESS0042F.SHP"} << 0
                                 << listingText(expectedListing("measurement")) << QString();
    QTest::newRow("missing file") << QStringList{"@/none.shp"} << 1 << QString()
                                  << "shpdump: The file @/none.shp does not exist.\n";
    QTest::newRow("missing index file")
        << QStringList{"@/alone.shp"} << 1 << listingText(expectedListing("index-file-missing"))
        << "shpdump: The index file @/alone.shx does not exist.\n";
    QTest::newRow("damaged file")
        << QStringList{"@/short.shp"} << 1 << listingText(expectedListing("header-only"))
        << "shpdump: The file @/short.shp is too short: 104 bytes needed, 100 present.\n";
    // No shapefile: nothing of it is listed.
    QTest::newRow("text file")
        << QStringList{"@/notes.txt"} << 1 << QString()
        << "shpdump: The file @/notes.txt is not a shapefile (file code 1181052004 instead "
           "of 9994).\n";
    QTest::newRow("attribute table")
        << QStringList{"@/plot.dbf"} << 1 << QString()
        << "shpdump: The file @/plot.dbf is not a shapefile (file code 58590478 instead of "
           "9994).\n";
    QTest::newRow("index file is text")
        << QStringList{"@/textindex.shp"} << 1 << listingText(expectedListing("index-file-missing"))
        << "shpdump: The file @/textindex.shx is not a shapefile (file code 1181052004 "
           "instead of 9994).\n";
}

void ShapeDumpTest::command()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, expectedOut);
    QFETCH(QString, expectedErr);

    TestFolder folder;
    const Shapefile file = ringFile(square());
    writeShapefile(folder, "plot", file);
    folder.writeFile("alone.shp", file.shp);
    folder.writeFile("short.shp", file.shp.left(100));
    folder.writeFile("short.shx", file.shx);
    const QByteArray text = QByteArray("Feldnotizen\n").repeated(20);
    folder.writeFile("notes.txt", text);
    folder.writeFile("plot.dbf", QByteArray::fromHex("037e050e01000000410015") + text);
    folder.writeFile("textindex.shp", file.shp);
    folder.writeFile("textindex.shx", text);
    const Shapefile measurement = ringFile({{512034.25, 6172310.5},
                                            {512101.75, 6172318.125},
                                            {512110.5, 6172250.0},
                                            {512040.0, 6172241.375},
                                            {512034.25, 6172310.5}});
    folder.writeFile("MESS0042F.SHP", measurement.shp);
    folder.writeFile("MESS0042F.SHX", measurement.shx);
    for (QString& arg : args)
        arg.replace('@', folder.path());

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    QCOMPARE(runShapeDumpCommand(args, out, err), exitCode);
    QCOMPARE(firstDifference(outText.split('\n'), expectedOut.split('\n')), QString());
    QCOMPARE(errText, QString(expectedErr).replace('@', folder.path()));
}

void ShapeDumpTest::catalogueHasEveryKey()
{
    QStringList errors;
    const CatalogueSource source =
        CatalogueSource::parseFile(QStringLiteral(SORVAN_CATALOGUE_SOURCE), &errors);
    QCOMPARE(errors, QStringList());
    QCOMPARE(source.languageColumns.size(), 5);
    const QList<TextKey> keys = ShapeDumpTextKeys::all();
    QCOMPARE(keys.size(), 9);
    for (const TextKey& key : keys) {
        const auto row = std::find_if(source.rows.cbegin(), source.rows.cend(), [&](const auto& r) {
            return r.form.compare(key.form, Qt::CaseInsensitive) == 0 &&
                   r.control.compare(key.control, Qt::CaseInsensitive) == 0 &&
                   r.property.compare(key.property, Qt::CaseInsensitive) == 0;
        });
        const QString name = key.form + '/' + key.control + '/' + key.property;
        QVERIFY2(row != source.rows.cend(), qPrintable(name));
        QCOMPARE(row->texts.size(), 5);
        const QList<int> used = placeholders(row->texts.at(0));
        for (const QString& text : row->texts) {
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(name));
            QCOMPARE(placeholders(text), used);
        }
    }
    // The English column holds the command line's texts.
    const QList<Problem> problems = {Problem::FileMissing,      Problem::FileUnreadable,
                                     Problem::FileTooShort,     Problem::NotPolygon,
                                     Problem::NotSinglePart,    Problem::PointCountTooLarge,
                                     Problem::IndexFileMissing, Problem::NotShapefile};
    QCOMPARE(ShapeDumpTextKeys::forProblem(Problem::None).has_value(), false);
    for (Problem problem : problems) {
        const TextKey key = ShapeDumpTextKeys::forProblem(problem).value();
        const auto row = std::find_if(source.rows.cbegin(), source.rows.cend(), [&](const auto& r) {
            return r.form == key.form && r.control == key.control && r.property == key.property;
        });
        QVERIFY(row != source.rows.cend());
        QCOMPARE(row->texts.at(1), ShapeDump::problemTemplate(problem));
    }
    const auto printRow = std::find_if(source.rows.cbegin(), source.rows.cend(), [](const auto& r) {
        return r.form == ShapeDumpTextKeys::printFailed.form &&
               r.property == ShapeDumpTextKeys::printFailed.property;
    });
    QVERIFY(printRow != source.rows.cend());
    QCOMPARE(printRow->texts.at(1), ShapeDump::printFailedTemplate());
}

void ShapeDumpTest::printStartsNewPages()
{
    TestFolder folder;
    const QString pdf = folder.file("list.pdf");
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    const int perPage = ListingPrint::linesPerPage(writer);
    QVERIFY2(perPage > 20 && perPage < 200, qPrintable(QString::number(perPage)));
    QStringList lines;
    for (int i = 0; i < 2 * perPage + 1; ++i)
        lines << (i % 7 == 3 ? QString() : QStringLiteral(" %1      %2").arg(i).arg(i * 0.5));
    QCOMPARE(ListingPrint::print(writer, lines), 3);
    const QByteArray bytes = folder.readFile("list.pdf");
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(bytes), 3);

    QPdfWriter exact(folder.file("exact.pdf"));
    exact.setPageSize(QPageSize(QPageSize::A4));
    QCOMPARE(ListingPrint::print(exact, lines.mid(0, perPage)), 1);
    QPdfWriter none(folder.file("none.pdf"));
    QCOMPARE(ListingPrint::print(none, {}), 0);
}

QTEST_MAIN(ShapeDumpTest)
#include "ShapeDumpTest.moc"
