// Plot import from and export to other programs' vector files, on the real
// Danish fields (one shapefile of many farms' plots) turned into other formats.
#include "FileGuard.h"
#include "PendingChangeRecovery.h"
#include "PlotExport.h"
#include "PlotImport.h"
#include "ProgramFixture.h"

#include <QDir>
#include <QSqlQuery>
#include <QtTest>

#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogrsf_frmts.h>

#include <cerrno>

namespace {
const QString marker = QStringLiteral("/vsizip/" SORVAN_REALDATA_DIR "/dk/Marker_2026.zip");
const QString zipFile = QStringLiteral(SORVAN_REALDATA_DIR "/dk/Marker_2026.zip");

using Dataset = std::unique_ptr<GDALDataset, void (*)(GDALDataset*)>;
Dataset openVector(const QString& path)
{
    return Dataset(GDALDataset::FromHandle(GDALOpenEx(path.toUtf8(), GDAL_OF_VECTOR, nullptr,
                                                      nullptr, nullptr)),
                   [](GDALDataset* d) { GDALClose(d); });
}

// ogr2ogr from the real fields into target with the given options.
QString translate(const QString& target, const QStringList& arguments)
{
    QList<QByteArray> bytes;
    std::vector<char*> argv;
    for (const QString& argument : arguments)
        bytes << argument.toUtf8();
    for (QByteArray& argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(argv.data(), nullptr);
    const Dataset source = openVector(marker + "/Marker_2026.shp");
    GDALDatasetH sources[] = {GDALDataset::ToHandle(source.get())};
    int failed = 0;
    GDALClose(GDALVectorTranslate(target.toUtf8(), nullptr, 1, sources, options, &failed));
    GDALVectorTranslateOptionsFree(options);
    return target;
}

// A GeoPackage in ETRS89 / UTM 32N with a bow-tie, a multi-polygon with a
// hole (both named "Mark"), a point and a line.
QString oddShapes(const QString& path)
{
    GDALAllRegister();
    Dataset dataset(GetGDALDriverManager()->GetDriverByName("GPKG")->Create(
                        path.toUtf8(), 0, 0, 0, GDT_Unknown, nullptr),
                    [](GDALDataset* d) { GDALClose(d); });
    OGRSpatialReference utm;
    utm.importFromEPSG(25832);
    OGRLayer* layer = dataset->CreateLayer("odd", &utm, wkbUnknown, nullptr);
    OGRFieldDefn navn("navn", OFTString);
    layer->CreateField(&navn);
    for (const char* wkt :
         {"POLYGON((500000 6200000,500200 6200200,500200 6200000,500000 6200200,500000 6200000))",
          "MULTIPOLYGON(((501000 6200000,501000 6200100,501100 6200100,501100 6200000,501000 "
          "6200000),(501025 6200025,501075 6200025,501075 6200075,501025 6200075,501025 6200025)),"
          "((501200 6200000,501200 6200100,501300 6200100,501300 6200000,501200 6200000)))",
          "POINT(500000 6200000)", "LINESTRING(500000 6200000,500100 6200100)"}) {
        OGRFeature feature(layer->GetLayerDefn());
        OGRGeometry* geometry = nullptr;
        OGRGeometryFactory::createFromWkt(wkt, nullptr, &geometry);
        feature.SetGeometryDirectly(geometry);
        feature.SetField("navn", "Mark");
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            return {};
    }
    return path;
}

struct Program : ProgramFixture {
    PlotImport::Result import(const QString& file, const QString& farm = {},
                              const QString& farmFrom = QStringLiteral("Journalnr"),
                              const QString& nameFrom = QStringLiteral("Marknr"),
                              const QString& cropFrom = QStringLiteral("Afgroede"))
    {
        PlotImport::Options options;
        options.file = file;
        options.farm = farm;
        options.farmFrom = farm.isEmpty() ? farmFrom : QString();
        options.nameFrom = nameFrom;
        options.cropFrom = cropFrom;
        return PlotImport::run(state, options);
    }
    QList<PlotRecord> plots()
    {
        QList<PlotRecord> all;
        for (const QString& farm : database.farmNames())
            all += database.plotsOfFarm(farm);
        return all;
    }
};

// GDAL's area in hectares of the plot's shapefile.
double fileAreaHa(const QString& folder, const PlotRecord& plot)
{
    const Dataset dataset = openVector(folder + '/' + plot.ordner + '/' + plot.dateiname + ".shp");
    double area = 0;
    for (const auto& feature : *dataset->GetLayer(0))
        area += OGR_G_Area(OGRGeometry::ToHandle(feature->GetGeometryRef()));
    return area / 10000;
}

int failAt = 0, steps = 0;
int failingStep(FileGuard::Step, const QString&)
{
    return ++steps == failAt ? EIO : 0;
}
} // namespace

class tst_PlotExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        GDALAllRegister();
        if (!QFileInfo::exists(zipFile))
            QSKIP("no real fields");
    }

    // Farms by journal number, one plot per field, areas as GDAL measures them
    // in the plots' system; a second import adds nothing.
    void importsEachFormat_data()
    {
        QTest::addColumn<QStringList>("translation");
        QTest::addColumn<bool>("reprojected");
        QTest::newRow("zipped shapefile") << QStringList() << false;
        QTest::newRow("GeoPackage") << QStringList{"-f", "GPKG"} << false;
        QTest::newRow("GeoJSON WGS 84") << QStringList{"-f", "GeoJSON", "-t_srs", "EPSG:4326"}
                                        << true;
    }
    void importsEachFormat()
    {
        QFETCH(QStringList, translation);
        QFETCH(bool, reprojected);
        Program program;
        const TestFolder inputs;
        const QString file = translation.isEmpty() ? zipFile
                                                   : translate(inputs.file(translation.at(1) == "GPKG" ? "marker.gpkg" : "marker.geojson"),
                                                             translation);
        const PlotImport::Result result = program.import(file);
        QCOMPARE(result.error.detail, QString());
        QCOMPARE(result.report.reprojected, reprojected);
        QVERIFY(result.report.targetSystem.contains("UTM zone 32N"));
        const QList<PlotRecord> plots = program.plots();
        QCOMPARE(plots.size(), 100);
        QCOMPARE(result.report.plotCount(), 100);
        QCOMPARE(program.database.farmNames().size(), result.report.farms.size());
        QVERIFY(result.report.farms.size() > 1);
        const Dataset source = openVector(marker + "/Marker_2026.shp");
        double sourceHa = 0;
        for (const auto& feature : *source->GetLayer(0))
            sourceHa += OGR_G_Area(OGRGeometry::ToHandle(feature->GetGeometryRef())) / 10000;
        for (const PlotRecord& plot : plots) {
            QVERIFY2(qAbs(plot.flaeche - fileAreaHa(program.folder.path(), plot)) < 0.01,
                     qPrintable(plot.dateiname));
            QVERIFY(plot.umfang > 0 && plot.farbe != 0 && !plot.kultur.isEmpty());
            QVERIFY(QFileInfo::exists(program.folder.file(plot.ordner + '/' + plot.dateiname + ".prj")));
        }
        QVERIFY(qAbs(result.report.totalHa() - sourceHa) < 0.01 * plots.size());
        const QStringList before = folderSnapshot(program.folder.path());
        const PlotImport::Result again = program.import(file);
        QCOMPARE(again.report.plotCount(), 0);
        QCOMPARE(again.report.skipped.size(), 100);
        QCOMPARE(program.plots().size(), 100);
        QCOMPARE(folderSnapshot(program.folder.path()), before);
    }

    // A bow-tie is repaired, a multi-polygon keeps its hole and parts, points
    // and lines are counted; equal names get a suffix.
    void importsOddShapes()
    {
        Program program;
        const TestFolder inputs;
        const PlotImport::Result result = program.import(oddShapes(inputs.file("odd.gpkg")),
                                                         "Hof Test", {}, "navn", {});
        QCOMPARE(result.error.detail, QString());
        QCOMPARE(result.report.repaired.size(), 1);
        QCOMPARE(result.report.points, 1);
        QCOMPARE(result.report.lines, 1);
        QList<PlotRecord> plots = program.database.plotsOfFarm("Hof Test");
        QCOMPARE(plots.size(), 2);
        QCOMPARE(plots.at(0).dateiname, QString("Mark"));
        QCOMPARE(plots.at(1).dateiname, QString("Mark_2"));
        QVERIFY(qAbs(plots.at(0).flaeche - 2.0) < 1e-6);
        QVERIFY(qAbs(plots.at(1).flaeche - 1.75) < 1e-6);
        QVERIFY(qAbs(plots.at(1).umfang - 1000) < 1e-6); // 400 + 200 (hole) + 400
    }

    // Refused files leave the folder as it was.
    void refuses_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("because");
        QTest::newRow("degrees without system") << "degrees" << "look like degrees";
        QTest::newRow("missing field") << "field" << "no field nope";
        QTest::newRow("unknown layer") << "layer" << "no layer";
        QTest::newRow("bad farm name") << "farm" << "letters, digits";
        QTest::newRow("no vector file") << "text" << "";
    }
    void refuses()
    {
        QFETCH(QString, kind);
        QFETCH(QString, because);
        Program program;
        const TestFolder inputs;
        QString file = zipFile;
        PlotImport::Options options;
        std::tie(options.file, options.farmFrom, options.nameFrom) =
            std::tuple(file, "Journalnr", "Marknr");
        if (kind == "degrees") {
            translate(inputs.file("deg.shp"), {"-t_srs", "EPSG:4326"});
            QFile::remove(inputs.file("deg.prj"));
            options.file = inputs.file("deg.shp");
        } else if (kind == "field") {
            options.nameFrom = "nope";
        } else if (kind == "layer") {
            options.layer = "nope";
        } else if (kind == "farm") {
            options.farmFrom.clear();
            options.farm = "Hof/Neu";
        } else {
            options.file = inputs.writeFile("plain.txt", "just text");
        }
        const QStringList before = folderSnapshot(program.folder.path());
        const PlotImport::Result result = PlotImport::run(program.state, options);
        QVERIFY(result.error.isError());
        QVERIFY2(result.error.detail.contains(because), qPrintable(result.error.detail));
        QCOMPARE(folderSnapshot(program.folder.path()), before);
    }

    // A failure at any file or database step leaves the folder as before,
    // once the next start has cleaned up.
    void failureAtAnyStepLeavesNothing()
    {
        const TestFolder inputs;
        const QString file = oddShapes(inputs.file("odd.gpkg"));
        for (failAt = 1;; ++failAt) {
            Program program;
            const QStringList before = folderSnapshot(program.folder.path());
            steps = 0;
            FileGuard::setStepHook(failingStep);
            const PlotImport::Result result = program.import(file, "Hof Test", {}, "navn", {});
            FileGuard::setStepHook(nullptr);
            if (!result.error.isError()) {
                QVERIFY(failAt > 5);
                QCOMPARE(program.plots().size(), 2);
                break;
            }
            PendingChangeRecovery::finish(program.state);
            // The rows are compared, not the database's bytes.
            QCOMPARE(folderSnapshot(program.folder.path()).mid(1), before.mid(1));
            QCOMPARE(program.plots().size() + program.database.farmNames().size(), 0);
        }
    }

    // The export reads back in GDAL with every column.
    void exportReadsBack_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("GeoPackage") << "GPKG" << "out.gpkg";
        QTest::newRow("shapefile") << "ESRI Shapefile" << "out.shp";
        QTest::newRow("GeoJSON") << "GeoJSON" << "out.geojson";
        QTest::newRow("KML") << "KML" << "out.kml";
    }
    void exportReadsBack()
    {
        QFETCH(QString, format);
        QFETCH(QString, name);
        Program program;
        QVERIFY(!program.import(zipFile).error.isError());
        const TestFolder outputs;
        PlotExport::Options options;
        std::tie(options.out, options.format) = std::tuple(outputs.file(name), format);
        PlotExport::Result result = PlotExport::run(program.database, program.folder.path(), options);
        QCOMPARE(result.error.detail, QString());
        QCOMPARE(result.plots, 100);
        const Dataset back = openVector(outputs.file(name));
        QVERIFY(back);
        OGRLayer* layer = back->GetLayer(0);
        QCOMPARE(layer->GetFeatureCount(), 100);
        for (const char* column : {"dateiname", "ordner", "Name", "Nummer", "Teil", "Erntejahr",
                                   "Kultur", "Anmerkung", "Farbe", "Flaeche", "Umfang", "maxDOP",
                                   "anzeigen"})
            QVERIFY2(layer->GetLayerDefn()->GetFieldIndex(column) >= 0, column);
        OGREnvelope extent;
        QCOMPARE(layer->GetExtent(&extent), OGRERR_NONE);
        QCOMPARE(format == "GeoJSON" || format == "KML", extent.MaxX < 180);
        const QStringList written = folderSnapshot(outputs.path());
        result = PlotExport::run(program.database, program.folder.path(), options);
        QVERIFY(result.error.detail.contains("--force"));
        QCOMPARE(folderSnapshot(outputs.path()), written);
    }
};

QTEST_GUILESS_MAIN(tst_PlotExchange)
#include "tst_plotexchange.moc"
