#include "DemoFolderBuilder.h"
#include "DemoFolderReader.h"
#include "FarmFolders.h"
#include "FileResolver.h"
#include "ProgramFolderSetup.h"
#include "ProjectDatabase.h"
#include "TestFolder.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QPolygonF>
#include <QRegularExpression>
#include <QtTest>

#include <shapefil.h>

using namespace DemoFolderReader;

namespace {
const QStringList crops{"Winterweizen", "Wintergerste", "Raps",  "Mais",   "Zuckerrüben",
                        "Kartoffeln",   "Grünland",     "Hafer", "Dinkel", "Sommergerste"};
const QRectF frame(500000, 5300000, 20000, 20000);

struct Measurement {
    QString base;
    bool delivered = false;
};

// Measurements of the shapes folder, from the names of their .SHP files.
QList<Measurement> measurementsIn(const QString& shapes)
{
    QList<Measurement> found;
    for (const QString& file : QDir(shapes).entryList({"*.SHP"}, QDir::Files, QDir::Name)) {
        if (file.endsWith("_F.SHP"))
            found.append({file.chopped(6), true});
        else if (file.endsWith("F.SHP"))
            found.append({file.chopped(5), false});
    }
    return found;
}

// Name, size and time of every entry below folder: what "untouched" means.
QStringList snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.append(QStringLiteral("%1 %2 %3")
                           .arg(QDir(folder).relativeFilePath(info.filePath()))
                           .arg(info.isDir() ? -1 : info.size())
                           .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    entries.sort();
    return entries;
}

QString differenceHa(double rowHa, const QList<QPointF>& ring)
{
    const double areaHa = -signedArea(ring) / 10000;
    return qAbs(rowHa - areaHa) <= 0.00006
               ? QString()
               : QStringLiteral("%1 ha, polygon %2").arg(rowHa).arg(areaHa);
}

QString differenceM(double rowM, const QList<QPointF>& ring)
{
    const double metres = perimeter(ring);
    return qAbs(rowM - metres) <= 0.006 ? QString()
                                        : QStringLiteral("%1 m, polygon %2").arg(rowM).arg(metres);
}
} // namespace

class DemoFolderTest : public QObject {
    Q_OBJECT

private slots:
    void seeds_data();
    void farmsMatchDatabase_data() { seeds_data(); }
    void farmsMatchDatabase();
    void plotsMatchShapefiles_data() { seeds_data(); }
    void plotsMatchShapefiles();
    void plotAttributesArePlausible_data() { seeds_data(); }
    void plotAttributesArePlausible();
    void outlinesStayApart_data() { seeds_data(); }
    void outlinesStayApart();
    void measurementsAsDelivered_data() { seeds_data(); }
    void measurementsAsDelivered();
    void sameSeedSameFolder();
    void otherSeedOtherFolder();
    void acceptedTargets_data();
    void acceptedTargets();
    void refusedTargets_data();
    void refusedTargets();

private:
    // Builds a demo folder "demo" inside test and fails the test on an error.
    QString build(const TestFolder& test, quint64 seed, const QString& name = "demo");
};

QString DemoFolderTest::build(const TestFolder& test, quint64 seed, const QString& name)
{
    const DemoBuildResult result = DemoFolderBuilder(seed).build(test.file(name));
    if (result.error.isError())
        qWarning() << result.error.where << result.error.detail;
    return result.error.isError() ? QString() : result.folder;
}

void DemoFolderTest::seeds_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::newRow("default") << DemoPlanner::defaultSeed;
    QTest::newRow("0") << quint64(0);
    QTest::newRow("1") << quint64(1);
    QTest::newRow("large") << quint64(0xFFFFFFFFFFFFFFFFull);
}

void DemoFolderTest::farmsMatchDatabase()
{
    QFETCH(quint64, seed);
    TestFolder test;
    const DemoBuildResult result = DemoFolderBuilder(seed).build(test.file("demo"));
    QCOMPARE(result.error.detail, QString());
    const QString folder = result.folder;

    for (const QString& file : ProgramFolderSetup::suppliedFiles())
        QVERIFY2(FileResolver::dateiexistiert(folder, file), qPrintable(file));
    QVERIFY(QFileInfo(folder + "/shapes").isDir());

    const QStringList farms = FarmFolders::list(folder);
    QVERIFY2(farms.size() >= 3 && farms.size() <= 5, qPrintable(farms.join(',')));
    QCOMPARE(result.farms, farms.size());
    const QRegularExpression folderName("^[A-Za-z0-9]+( [A-Za-z0-9]+)*$");
    for (const QString& farm : farms)
        QVERIFY2(folderName.match(farm).hasMatch(), qPrintable(farm));

    ProjectDatabase database;
    QCOMPARE(database.open(folder).detail, QString());
    QStringList rows = database.farmNames();
    rows.sort();
    QStringList sortedFarms = farms;
    sortedFarms.sort();
    QCOMPARE(rows, sortedFarms);
    QCOMPARE(database.plotCount(), result.plots);
}

void DemoFolderTest::plotsMatchShapefiles()
{
    QFETCH(quint64, seed);
    TestFolder test;
    const QString folder = build(test, seed);
    QVERIFY(!folder.isEmpty());
    ProjectDatabase database;
    QCOMPARE(database.open(folder).detail, QString());

    for (const QString& farm : FarmFolders::list(folder)) {
        const QList<PlotRecord> plots = database.plotsOfFarm(farm);
        QStringList rowNames;
        for (const PlotRecord& plot : plots)
            rowNames.append(plot.dateiname);
        QCOMPARE(rowNames, FarmFolders::plotBaseNames(folder + '/' + farm));

        for (const PlotRecord& plot : plots) {
            const QString base = folder + '/' + farm + '/' + plot.dateiname;
            for (const char* extension : {".SHP", ".SHX", ".DBF"})
                QVERIFY2(QFileInfo::exists(base + extension), qPrintable(base + extension));

            const Shape shape = readShape(base + ".SHP");
            QCOMPARE(shape.type, SHPT_POLYGON);
            QCOMPARE(shape.records, 1);
            QCOMPARE(shape.parts, 1);
            QVERIFY2(shape.ring.size() >= 5 && shape.ring.size() <= 8, qPrintable(base));
            QCOMPARE(shape.ring.last(), shape.ring.first());
            QVERIFY2(signedArea(shape.ring) < 0, "outer ring must run clockwise");
            QVERIFY2(plot.flaeche >= 1 && plot.flaeche <= 30, qPrintable(base));
            QCOMPARE(differenceHa(plot.flaeche, shape.ring), QString());
            QCOMPARE(differenceM(plot.umfang, shape.ring), QString());

            DBFHandle dbf = DBFOpen(QFile::encodeName(base + ".DBF").constData(), "rb");
            QVERIFY(dbf);
            const int records = DBFGetRecordCount(dbf);
            const int id = DBFReadIntegerAttribute(dbf, 0, DBFGetFieldIndex(dbf, "ID"));
            const QString name =
                QString::fromLatin1(DBFReadStringAttribute(dbf, 0, DBFGetFieldIndex(dbf, "NAME")));
            DBFClose(dbf);
            QCOMPARE(records, 1);
            QCOMPARE(id, plot.nummer);
            QCOMPARE(name, plot.name);
        }
    }
}

void DemoFolderTest::plotAttributesArePlausible()
{
    QFETCH(quint64, seed);
    TestFolder test;
    const QString folder = build(test, seed);
    QVERIFY(!folder.isEmpty());
    ProjectDatabase database;
    QCOMPARE(database.open(folder).detail, QString());

    QSet<QString> fileNames;
    int measured = 0, total = 0;
    for (const QString& farm : FarmFolders::list(folder)) {
        const QList<PlotRecord> plots = database.plotsOfFarm(farm);
        QVERIFY2(plots.size() >= 5 && plots.size() <= 15, qPrintable(farm));
        QSet<qint64> colours;
        for (const PlotRecord& plot : plots) {
            const QString where = farm + '/' + plot.dateiname;
            QCOMPARE(plot.ordner, farm);
            QVERIFY2(!plot.name.isEmpty(), qPrintable(where));
            QVERIFY2(plot.nummer >= 1 && plot.nummer <= 9999, qPrintable(where));
            QVERIFY2(plot.teil >= 0 && plot.teil <= 2, qPrintable(where));
            QVERIFY2(plot.erntejahr >= 2024 && plot.erntejahr <= 2026, qPrintable(where));
            QVERIFY2(crops.contains(plot.kultur), qPrintable(plot.kultur));
            QVERIFY2(plot.anmerkung.size() <= 60, qPrintable(where));
            QVERIFY2(plot.farbe > 0 && plot.farbe <= 0xFFFFFF, qPrintable(where));
            colours.insert(plot.farbe);
            QVERIFY2(plot.maxDop == 0 || (plot.maxDop >= 1 && plot.maxDop <= 4), qPrintable(where));
            measured += plot.maxDop > 0;
            QCOMPARE(plot.anzeigen, 0);
            // Staging copies are named by file name alone, across farms.
            QVERIFY2(!fileNames.contains(plot.dateiname.toLower()), qPrintable(where));
            fileNames.insert(plot.dateiname.toLower());
            ++total;
        }
        QCOMPARE(colours.size(), plots.size());
    }
    QVERIFY2(measured > 0 && measured < total, "some plots measured, some not");
}

void DemoFolderTest::outlinesStayApart()
{
    QFETCH(quint64, seed);
    TestFolder test;
    const QString folder = build(test, seed);
    QVERIFY(!folder.isEmpty());

    QStringList files;
    for (const QString& farm : FarmFolders::list(folder)) {
        QRectF bounds;
        for (const QString& base : FarmFolders::plotBaseNames(folder + '/' + farm)) {
            files.append(folder + '/' + farm + '/' + base + ".SHP");
            bounds |= QPolygonF(readShape(files.last()).ring).boundingRect();
        }
        QVERIFY2(bounds.width() <= 5000 && bounds.height() <= 5000, qPrintable(farm));
        QVERIFY2(frame.contains(bounds), qPrintable(farm));
    }
    for (const Measurement& m : measurementsIn(folder + "/shapes"))
        files.append(folder + "/shapes/" + m.base + (m.delivered ? "_F.SHP" : "F.SHP"));

    // Shifted near the origin so the intersection test keeps its precision.
    QList<QPolygonF> outlines;
    for (const QString& file : files)
        outlines.append(QPolygonF(readShape(file).ring).translated(-frame.topLeft()));
    for (qsizetype a = 0; a < outlines.size(); ++a) {
        for (qsizetype b = a + 1; b < outlines.size(); ++b)
            QVERIFY2(!outlines.at(a).intersects(outlines.at(b)),
                     qPrintable(files.at(a) + " / " + files.at(b)));
    }
}

void DemoFolderTest::measurementsAsDelivered()
{
    QFETCH(quint64, seed);
    TestFolder test;
    const QString folder = build(test, seed);
    QVERIFY(!folder.isEmpty());
    const QString shapes = folder + "/shapes/";

    const QList<Measurement> measurements = measurementsIn(shapes);
    QVERIFY(measurements.size() >= 4 && measurements.size() <= 8);
    int delivered = 0, withoutTable = 0;
    for (const Measurement& m : measurements) {
        const QString shape = m.base + (m.delivered ? "_F" : "F");
        const QString des = m.base + (m.delivered ? "_F.DES" : ".DES");
        delivered += m.delivered;
        // Never present under both naming styles.
        QVERIFY(!QFileInfo::exists(shapes + m.base + (m.delivered ? "F.SHP" : "_F.SHP")));
        QVERIFY2(QFileInfo::exists(shapes + shape + ".SHX"), qPrintable(shape));
        QVERIFY2(QFileInfo::exists(shapes + des), qPrintable(des));
        if (!QFileInfo::exists(shapes + shape + ".DBF")) {
            QVERIFY2(!m.delivered, qPrintable(shape));
            ++withoutTable;
        }

        const Shape polygon = readShape(shapes + shape + ".SHP");
        QCOMPARE(polygon.type, SHPT_POLYGON);
        QCOMPARE(polygon.records, 1);
        QCOMPARE(polygon.parts, 1);
        QCOMPARE(polygon.ring.last(), polygon.ring.first());
        QVERIFY(signedArea(polygon.ring) < 0);

        const QByteArray bytes = test.readFile("demo/shapes/" + des);
        QVERIFY(!bytes.contains(',') && !bytes.contains('"'));
        const QStringList items = descriptionItems(bytes);
        QVERIFY2(items.size() >= 4, bytes.constData());
        QVERIFY2(items.at(0).startsWith("Messung "), qPrintable(items.at(0)));
        for (int i = 1; i <= 3; ++i)
            QVERIFY2(items.at(i).size() > 17 && items.at(i).at(16) == ' ', qPrintable(items.at(i)));
        QCOMPARE(differenceHa(itemValue(items.at(1)), polygon.ring), QString());
        QCOMPARE(differenceM(itemValue(items.at(2)), polygon.ring), QString());
        const double dop = itemValue(items.at(3));
        QVERIFY2(dop >= 1 && dop <= 4, qPrintable(items.at(3)));

        // The file time gives the measurement's date, the same as its title.
        const QDateTime time = QFileInfo(shapes + shape + ".SHP").lastModified();
        QCOMPARE(QFileInfo(shapes + des).lastModified(), time);
        QCOMPARE(QFileInfo(shapes + shape + ".SHX").lastModified(), time);
        QCOMPARE(items.at(0).mid(8, 10), time.date().toString(Qt::ISODate));
    }
    QVERIFY(delivered >= 1);
    QVERIFY(measurements.size() - delivered >= 1);
    QVERIFY(withoutTable <= 1);
}

void DemoFolderTest::sameSeedSameFolder()
{
    TestFolder test;
    const QString first = build(test, 99, "first");
    const QString second = build(test, 99, "second");
    QVERIFY(!first.isEmpty() && !second.isEmpty());

    const QStringList files = filesBelow(first);
    QCOMPARE(filesBelow(second), files);
    for (const QString& file : files) {
        QCOMPARE(test.readFile("second/" + file), test.readFile("first/" + file));
        // Farm and GPS files carry fixed times; the installation files in
        // the folder itself carry the time of the run.
        if (file.contains('/'))
            QCOMPARE(QFileInfo(second + '/' + file).lastModified(),
                     QFileInfo(first + '/' + file).lastModified());
    }
    QCOMPARE(tableRows(second, "betriebe"), tableRows(first, "betriebe"));
    QCOMPARE(tableRows(second, "schlagdaten"), tableRows(first, "schlagdaten"));
}

void DemoFolderTest::otherSeedOtherFolder()
{
    TestFolder test;
    const QString first = build(test, 1, "first");
    const QString second = build(test, 2, "second");
    QVERIFY(!first.isEmpty() && !second.isEmpty());
    QVERIFY(tableRows(first, "schlagdaten") != tableRows(second, "schlagdaten"));
    QVERIFY(filesBelow(first) != filesBelow(second));
}

void DemoFolderTest::acceptedTargets_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("prepare");
    QTest::newRow("missing nested folder") << "a/b/demo"
                                           << "";
    QTest::newRow("empty folder") << "demo"
                                  << "mkdir";
    QTest::newRow("installed, no farms") << "demo"
                                         << "install";
    QTest::newRow("temp folder and empty shapes") << "demo"
                                                  << "temp+shapes";
}

void DemoFolderTest::acceptedTargets()
{
    QFETCH(QString, target);
    QFETCH(QString, prepare);
    TestFolder test;
    if (prepare == "mkdir")
        test.makeFolder(target);
    if (prepare == "install")
        QCOMPARE(ProgramFolderSetup::installMissingFiles(test.file(target)).error.detail,
                 QString());
    if (prepare == "temp+shapes") {
        test.writeFile(target + "/TEMP/old.SHP", "x");
        test.makeFolder(target + "/Shapes");
    }

    const DemoBuildResult result = DemoFolderBuilder().build(test.file(target));
    QCOMPARE(result.error.detail, QString());
    ProjectDatabase database;
    QCOMPARE(database.open(test.file(target)).detail, QString());
    QCOMPARE(database.farmNames().size(), result.farms);
    QCOMPARE(measurementsIn(FileResolver::resolve(test.file(target), "shapes")).size(),
             result.measurements);
}

void DemoFolderTest::refusedTargets_data()
{
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QString>("named"); // entry the message must name
    QTest::addColumn<ErrorKind>("kind");
    const ErrorKind refused = ErrorKind::PathFileAccess;
    QTest::newRow("farm folder") << "farm"
                                 << "demo" << refused;
    QTest::newRow("database with a farm") << "farm row"
                                          << "GISDATEN.MDB" << refused;
    QTest::newRow("database with a plot") << "plot row"
                                          << "GISDATEN.MDB" << refused;
    QTest::newRow("measurement in SHAPES") << "measurement"
                                           << "SHAPES" << refused;
    QTest::newRow("demo built already") << "demo"
                                        << "demo" << refused;
    QTest::newRow("file instead of folder") << "file"
                                            << "demo" << refused;
    QTest::newRow("unreadable database") << "bad database"
                                         << "GISDATEN.MDB" << ErrorKind::NotADatabase;
}

void DemoFolderTest::refusedTargets()
{
    QFETCH(QString, prepare);
    QFETCH(QString, named);
    QFETCH(ErrorKind, kind);
    TestFolder test;
    const QString target = test.file("demo");
    if (prepare == "farm")
        test.writeFile("demo/Hof Eigen/Acker.SHP", "user data");
    if (prepare == "farm row" || prepare == "plot row") {
        QCOMPARE(ProgramFolderSetup::installMissingFiles(target).error.detail, QString());
        ProjectDatabase database;
        QCOMPARE(database.open(target).detail, QString());
        if (prepare == "farm row")
            QCOMPARE(database.addFarm("Hof Eigen").detail, QString());
        else {
            PlotRecord plot;
            plot.dateiname = "Acker";
            plot.ordner = "Hof Eigen";
            QCOMPARE(database.addPlot(plot).detail, QString());
        }
    }
    if (prepare == "measurement")
        test.writeFile("demo/SHAPES/M1_F.SHP", "user data");
    if (prepare == "demo")
        QVERIFY(!build(test, 5).isEmpty());
    if (prepare == "file")
        test.writeFile("demo", "not a folder");
    if (prepare == "bad database")
        test.writeFile("demo/GISDATEN.MDB", "not a database");

    const QStringList before = snapshot(test.path());
    const QStringList rowsBefore = tableRows(target, "schlagdaten") + tableRows(target, "betriebe");
    const DemoBuildResult result = DemoFolderBuilder(7).build(target);
    QCOMPARE(result.error.kind, kind);
    QVERIFY2(result.error.where.endsWith(named), qPrintable(result.error.where));
    QCOMPARE(snapshot(test.path()), before);
    QCOMPARE(tableRows(target, "schlagdaten") + tableRows(target, "betriebe"), rowsBefore);
}

QTEST_GUILESS_MAIN(DemoFolderTest)
#include "tst_demofolder.moc"
