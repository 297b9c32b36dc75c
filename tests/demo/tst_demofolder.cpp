#include "DemoFolderBuilder.h"
#include "DemoFolderReader.h"
#include "FarmFolders.h"
#include "FileResolver.h"
#include "PolygonMeasures.h"
#include "ProgramFolderSetup.h"
#include "ProjectDatabase.h"
#include "TestFolder.h"

#include <QDirIterator>
#include <QPolygonF>
#include <QRegularExpression>
#include <QtTest>

#include <shapefil.h>

using namespace DemoFolderReader;

namespace {
// Name, size and time of every entry below folder: what "untouched" means.
QStringList snapshot(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << QStringLiteral("%1 %2 %3")
                       .arg(QDir(folder).relativeFilePath(info.filePath()))
                       .arg(info.isDir() ? -1 : info.size())
                       .arg(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// "" when a stated area (ha) and perimeter (m) are those of ring, to their decimals.
QString measuresDiffer(double areaHa, double perimeterM, const QList<QPointF>& ring)
{
    const double ringHa = PolygonMeasures::areaSquareMetres(ring) / 10000;
    const double ringM = PolygonMeasures::perimeter(ring);
    if (qAbs(areaHa - ringHa) <= 0.00006 && qAbs(perimeterM - ringM) <= 0.006)
        return {};
    return QStringLiteral("%1 ha, %2 m; ring %3 ha, %4 m")
        .arg(areaHa)
        .arg(perimeterM)
        .arg(ringHa)
        .arg(ringM);
}

// The shapefile of path as a plot or measurement outline must be: one record
// of one closed ring running clockwise.
QString outlineProblem(const Shape& shape)
{
    if (shape.type != SHPT_POLYGON || shape.records != 1 || shape.parts != 1)
        return QStringLiteral("type %1, %2 records, %3 parts")
            .arg(shape.type)
            .arg(shape.records)
            .arg(shape.parts);
    if (shape.ring.size() < 4 || shape.ring.first() != shape.ring.last())
        return QStringLiteral("ring not closed");
    return PolygonMeasures::signedArea(shape.ring) < 0 ? QString()
                                                       : QStringLiteral("counter-clockwise");
}
} // namespace

class TestDemoFolder : public QObject {
    Q_OBJECT
private slots:
    void folderIsConsistent_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::newRow("default") << DemoPlanner::defaultSeed;
        QTest::newRow("0") << quint64(0);
        QTest::newRow("largest") << quint64(0xFFFFFFFFFFFFFFFFull);
    }
    void folderIsConsistent()
    {
        QFETCH(quint64, seed);
        TestFolder test;
        const DemoBuildResult result = DemoFolderBuilder(seed).build(test.file("demo"));
        QCOMPARE(result.error.detail, QString());
        const QString folder = result.folder;
        for (const QString& file : ProgramFolderSetup::suppliedFiles())
            QVERIFY2(FileResolver::dateiexistiert(folder, file), qPrintable(file));

        // Farm folders with plain names, each a row of the database.
        QStringList farms = FarmFolders::list(folder);
        QVERIFY2(farms.size() >= 3 && farms.size() <= 5, qPrintable(farms.join(',')));
        QCOMPARE(result.farms, farms.size());
        for (const QString& farm : farms)
            QVERIFY2(QRegularExpression("^[A-Za-z0-9]+( [A-Za-z0-9]+)*$").match(farm).hasMatch(),
                     qPrintable(farm));
        ProjectDatabase database;
        QCOMPARE(database.open(folder).detail, QString());
        QStringList rows = database.farmNames();
        rows.sort();
        farms.sort();
        QCOMPARE(rows, farms);
        QCOMPARE(database.plotCount(), result.plots);

        // Every plot row has its shapefile, whose area and perimeter the row gives.
        QList<QPolygonF> outlines;
        QStringList outlineFiles;
        QSet<QString> fileNames;
        int measured = 0;
        for (const QString& farm : farms) {
            const QList<PlotRecord> plots = database.plotsOfFarm(farm);
            QStringList rowNames;
            QSet<qint64> colours;
            for (const PlotRecord& plot : plots) {
                rowNames << plot.dateiname;
                const QString base = folder + '/' + farm + '/' + plot.dateiname;
                for (const char* extension : {".SHX", ".DBF"})
                    QVERIFY2(QFileInfo::exists(base + extension), qPrintable(base + extension));
                const Shape shape = readShape(base + ".SHP");
                QCOMPARE(outlineProblem(shape), QString());
                QCOMPARE(measuresDiffer(plot.flaeche, plot.umfang, shape.ring), QString());
                // Colours tell the plots of a farm apart; the staging folder takes
                // copies by file name alone, across farms.
                colours.insert(plot.farbe);
                QVERIFY2(!fileNames.contains(plot.dateiname.toLower()), qPrintable(base));
                fileNames.insert(plot.dateiname.toLower());
                measured += plot.maxDop > 0;
                outlines << QPolygonF(shape.ring);
                outlineFiles << base;
            }
            QCOMPARE(rowNames, FarmFolders::plotBaseNames(folder + '/' + farm));
            QCOMPARE(colours.size(), plots.size());
        }
        QVERIFY2(measured > 0 && measured < result.plots, "some plots measured, some not");

        // GPS measurements as the handheld leaves them: working files "<base>F"
        // with a description "<base>.DES", delivered ones "<base>_F" with "<base>_F.DES".
        const QString shapes = folder + "/shapes/";
        const QStringList measurements = QDir(shapes).entryList({"*F.SHP"}, QDir::Files);
        QCOMPARE(measurements.size(), result.measurements);
        int delivered = 0, withoutTable = 0;
        for (const QString& file : measurements) {
            const QString shape = file.chopped(4);
            const bool isDelivered = shape.endsWith("_F");
            const QString des = (isDelivered ? shape : shape.chopped(1)) + ".DES";
            delivered += isDelivered;
            QVERIFY2(QFileInfo::exists(shapes + shape + ".SHX"), qPrintable(shape));
            if (!QFileInfo::exists(shapes + shape + ".DBF")) {
                QVERIFY2(!isDelivered, qPrintable(shape));
                ++withoutTable;
            }
            const Shape polygon = readShape(shapes + file);
            QCOMPARE(outlineProblem(polygon), QString());
            outlines << QPolygonF(polygon.ring);
            outlineFiles << shapes + file;

            // A title, then each value from the 18th character on, "." as decimal sign.
            const QByteArray bytes = test.readFile("demo/shapes/" + des);
            QVERIFY2(!bytes.contains(',') && !bytes.contains('"'), bytes.constData());
            const QStringList items = QString::fromLatin1(bytes).split("\r\n");
            QVERIFY2(items.size() >= 5 && items.at(0).startsWith("Messung "), bytes.constData());
            QCOMPARE(measuresDiffer(items.at(1).mid(17).toDouble(), items.at(2).mid(17).toDouble(),
                                    polygon.ring),
                     QString());
            const double dop = items.at(3).mid(17).toDouble();
            QVERIFY2(dop >= 1 && dop <= 4, bytes.constData());
            // The file time gives the measurement's date, the same as its title.
            const QDateTime time = QFileInfo(shapes + file).lastModified();
            QCOMPARE(QFileInfo(shapes + des).lastModified(), time);
            QCOMPARE(QFileInfo(shapes + shape + ".SHX").lastModified(), time);
            QCOMPARE(items.at(0).mid(8, 10), time.date().toString(Qt::ISODate));
        }
        QVERIFY(delivered >= 1 && measurements.size() - delivered >= 1 && withoutTable <= 1);

        // No outline touches another (shifted near the origin to keep precision).
        for (QPolygonF& outline : outlines)
            outline.translate(-500000, -5300000);
        for (qsizetype a = 0; a < outlines.size(); ++a)
            for (qsizetype b = a + 1; b < outlines.size(); ++b)
                QVERIFY2(!outlines.at(a).intersects(outlines.at(b)),
                         qPrintable(outlineFiles.at(a) + " / " + outlineFiles.at(b)));
    }

    void targets_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<ErrorKind>("kind");
        QTest::addColumn<QString>("named"); // entry a refusal must name
        const ErrorKind built = ErrorKind::None, refused = ErrorKind::PathFileAccess;
        QTest::newRow("missing nested folder") << "nested" << built << QString();
        QTest::newRow("empty folder") << "mkdir" << built << QString();
        QTest::newRow("installed, no farms") << "install" << built << QString();
        QTest::newRow("temp folder and empty shapes") << "temp+shapes" << built << QString();
        QTest::newRow("farm folder") << "farm" << refused << "demo";
        QTest::newRow("database with a farm") << "farm row" << refused << "GISDATEN.MDB";
        QTest::newRow("database with a plot") << "plot row" << refused << "GISDATEN.MDB";
        QTest::newRow("measurement in SHAPES") << "measurement" << refused << "SHAPES";
        QTest::newRow("file instead of folder") << "file" << refused << "demo";
        QTest::newRow("unreadable database")
            << "bad database" << ErrorKind::NotADatabase << "GISDATEN.MDB";
    }
    void targets()
    {
        QFETCH(QString, prepare);
        QFETCH(ErrorKind, kind);
        QFETCH(QString, named);
        TestFolder test;
        const QString target = test.file(prepare == "nested" ? "a/b/demo" : "demo");
        if (prepare == "mkdir")
            test.makeFolder("demo");
        if (prepare == "install" || prepare.endsWith(" row"))
            QCOMPARE(ProgramFolderSetup::installMissingFiles(target).error.detail, QString());
        if (prepare.endsWith(" row")) {
            ProjectDatabase database;
            QCOMPARE(database.open(target).detail, QString());
            PlotRecord plot;
            plot.dateiname = "Acker";
            plot.ordner = "Hof Eigen";
            const OperationError added =
                prepare == "farm row" ? database.addFarm("Hof Eigen") : database.addPlot(plot);
            QCOMPARE(added.detail, QString());
        }
        if (prepare == "temp+shapes") {
            test.writeFile("demo/TEMP/old.SHP", "x");
            test.makeFolder("demo/Shapes");
        }
        if (prepare == "farm")
            test.writeFile("demo/Hof Eigen/Acker.SHP", "user data");
        if (prepare == "measurement")
            test.writeFile("demo/SHAPES/M1_F.SHP", "user data");
        if (prepare == "file")
            test.writeFile("demo", "not a folder");
        if (prepare == "bad database")
            test.writeFile("demo/GISDATEN.MDB", "not a database");

        const QStringList before = snapshot(test.path());
        const QStringList rowsBefore =
            tableRows(target, "schlagdaten") + tableRows(target, "betriebe");
        const DemoBuildResult result = DemoFolderBuilder(7).build(target);
        QCOMPARE(result.error.kind, kind);
        if (kind == ErrorKind::None) {
            ProjectDatabase database;
            QCOMPARE(database.open(target).detail, QString());
            QCOMPARE(database.farmNames().size(), result.farms);
            const QString shapes = FileResolver::resolve(target, "shapes");
            QCOMPARE(QDir(shapes).entryList({"*F.SHP"}, QDir::Files).size(), result.measurements);
            return;
        }
        // A refusal names what it found and leaves everything as it was.
        QVERIFY2(result.error.where.endsWith(named), qPrintable(result.error.where));
        QCOMPARE(snapshot(test.path()), before);
        QCOMPARE(tableRows(target, "schlagdaten") + tableRows(target, "betriebe"), rowsBefore);
    }
};

QTEST_GUILESS_MAIN(TestDemoFolder)
#include "tst_demofolder.moc"
