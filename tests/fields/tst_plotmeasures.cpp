// Rows the synchronisation makes from plot files as other programs export
// them: measures from the geometry, palette colours, odd names reported.
#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "PlotPalette.h"
#include "ProgramFixture.h"
#include "ShapeFixture.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

#include <cmath>

using namespace ShapeFixture;

namespace {
PlotRecord rowOf(ProgramFixture& program, const QString& farm, const QString& base)
{
    OperationError error;
    const auto row = FieldQueries(program.database).plot({farm, base}, &error);
    return row ? row->record : PlotRecord{};
}

QStringList noteKinds(const QList<PlotNote>& notes)
{
    QStringList kinds;
    for (const PlotNote& note : notes)
        kinds << QString("%1 %2/%3").arg(int(note.kind)).arg(note.key.ordner, note.key.dateiname);
    return kinds;
}
} // namespace

class TestPlotMeasures : public QObject {
    Q_OBJECT
private slots:
    void realFields();
    void bareFolderOnTheCommandLine();
    void geometry_data();
    void geometry();
    void oddNames_data();
    void oddNames();
};

// Every real field gets its area within 0.0001 ha, a perimeter and a palette
// colour; the plots of a farm differ in colour while the palette lasts.
void TestPlotMeasures::realFields()
{
    ProgramFixture program;
    const QList<RealPlot> plots = writeRealFarms(program.folder.path());
    if (plots.isEmpty())
        QSKIP("the real field boundaries are not available");
    QCOMPARE(plots.size(), realFieldCount);
    FieldFolderSync sync(program.state);
    QVERIFY(!sync.betriebsdatenladen().error.isError());
    const SyncChanges changes = sync.schlagdatenabgleichen(program.database.farmNames());
    QVERIFY2(!changes.error.isError(), qPrintable(changes.error.detail));
    QCOMPARE(changes.plotsAdded.size(), realFieldCount);
    QVERIFY2(changes.notes.isEmpty(), qPrintable(noteKinds(changes.notes).join(", ")));
    QHash<QString, QSet<qint64>> coloursOfFarm;
    QHash<QString, int> plotsOfFarm;
    for (const RealPlot& plot : plots) {
        const PlotRecord row = rowOf(program, plot.farm, plot.base);
        QVERIFY2(std::abs(row.flaeche - plot.areaHa) < 0.0001 && row.umfang > 0 && row.farbe != 0,
                 qPrintable(plot.base));
        coloursOfFarm[plot.farm].insert(row.farbe);
        ++plotsOfFarm[plot.farm];
    }
    for (auto farm = plotsOfFarm.cbegin(); farm != plotsOfFarm.cend(); ++farm)
        QCOMPARE(coloursOfFarm.value(farm.key()).size(),
                 std::min(farm.value(), PlotPalette::size()));
    // A second run measures nothing again and changes nothing.
    QCOMPARE(sync.schlagdatenabgleichen(program.database.farmNames()).plotsAdded.size(), 0);
}

// farms and plots on a folder of real plots without the installation files.
void TestPlotMeasures::bareFolderOnTheCommandLine()
{
    TestFolder folder;
    const QList<RealPlot> plots = writeRealFarms(folder.path());
    if (plots.isEmpty())
        QSKIP("the real field boundaries are not available");
    QMap<QString, double> areaOfFarm;
    for (const RealPlot& plot : plots)
        areaOfFarm[plot.farm] += plot.areaHa;
    QProcess process;
    const auto run = [&](const QString& command) {
        process.start(SORVAN_CLI, {command, "--folder", folder.path()});
        process.waitForFinished(60000);
        return QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    };
    const QStringList lines = run("farms");
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("added to"));
    QCOMPARE(lines.size(), areaOfFarm.size());
    for (const QString& line : lines)
        QCOMPARE(line.section('\t', 2, 2),
                 QString::number(areaOfFarm[line.section('\t', 0, 0)], 'f', 4));
    const QStringList plotLines = run("plots");
    QCOMPARE(plotLines.size(), realFieldCount + 1);
    QVERIFY(plotLines.first().endsWith("\tlesbar\tFlaeche_Geometrie"));
    for (const QString& line : plotLines.mid(1))
        QCOMPARE(QString::number(line.section('\t', 9, 9).toDouble(), 'f', 4),
                 line.section('\t', 14, 14));
    // A file the map reader refuses is named by every run of farms.
    folder.writeFile(plots.first().farm + "/kaputt.shp", "no shapefile");
    for (int pass = 0; pass < 2; ++pass) {
        run("farms");
        QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains("kaputt"));
    }
}

// Rings filled by the odd-even rule; degrees stay 0; entered values stay.
void TestPlotMeasures::geometry_data()
{
    QTest::addColumn<QList<Rings>>("records");
    QTest::addColumn<QByteArray>("prj");
    QTest::addColumn<double>("entered"); // Flaeche of an existing row (-1: no row)
    QTest::addColumn<double>("flaeche");
    QTest::addColumn<double>("umfang");
    QTest::addColumn<bool>("inDegrees");
    const QPolygonF big = square(1000, 1000, 300), hole = square(1100, 1100, 100, true);
    QTest::newRow("outer ring with a hole")
        << QList<Rings>{{big, hole}} << QByteArray() << -1.0 << 8.0 << 1600.0 << false;
    QTest::newRow("hole given clockwise too") << QList<Rings>{{big, square(1100, 1100, 100)}}
                                              << QByteArray() << -1.0 << 8.0 << 1600.0 << false;
    QTest::newRow("two records, two parts")
        << QList<Rings>{{big}, {square(2000, 0, 100), square(3000, 0, 100)}} << QByteArray() << -1.0
        << 11.0 << 2000.0 << false;
    QTest::newRow("geographic .prj")
        << QList<Rings>{{big}} << QByteArray("GEOGCS[\"GCS_WGS_1984\"]") << -1.0 << 0.0 << 0.0
        << true;
    QTest::newRow("every coordinate within 180/90")
        << QList<Rings>{{square(9.5, 55.1, 0.01)}} << QByteArray() << -1.0 << 0.0 << 0.0 << true;
    QTest::newRow("projected .prj with small coordinates")
        << QList<Rings>{{square(10, 10, 50)}} << QByteArray("PROJCS[\"local\"]") << -1.0 << 0.25
        << 200.0 << false;
    QTest::newRow("row made earlier, untouched")
        << QList<Rings>{{big}} << QByteArray() << 0.0 << 9.0 << 1200.0 << false;
    QTest::newRow("entered area stays")
        << QList<Rings>{{big}} << QByteArray() << 4.5 << 4.5 << 0.0 << false;
}

void TestPlotMeasures::geometry()
{
    QFETCH(QList<Rings>, records);
    QFETCH(QByteArray, prj);
    QFETCH(double, entered);
    QFETCH(double, flaeche);
    QFETCH(double, umfang);
    QFETCH(bool, inDegrees);
    ProgramFixture program;
    writePolygons(program.folder.makeFolder("Hof"), "Acker", records);
    if (!prj.isEmpty())
        program.folder.writeFile("Hof/acker.PRJ", prj);
    if (entered >= 0)
        QVERIFY(!program.database
                     .addPlot({"Acker", "Hof", "Acker", 0, 0, 0, {}, {}, 0, entered, 0, 0, 0})
                     .isError());
    const SyncChanges changes = FieldFolderSync(program.state).schlagdatenabgleichen({"Hof"});
    QVERIFY(!changes.error.isError());
    const PlotRecord row = rowOf(program, "Hof", "Acker");
    QCOMPARE(row.flaeche, flaeche);
    QCOMPARE(row.umfang, umfang);
    QCOMPARE(row.farbe != 0, entered <= 0);
    QCOMPARE(noteKinds(changes.notes),
             inDegrees ? QStringList{QString("%1 Hof/Acker").arg(int(PlotNote::Kind::InDegrees))}
                       : QStringList{});
}

// Names that differ only in case, with blanks around them or as long as the
// file system allows; files the map reader refuses.
void TestPlotMeasures::oddNames_data()
{
    QTest::addColumn<QStringList>("files"); // plot files written into farm folder "Hof"
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("notes");
    const auto note = [](PlotNote::Kind kind, const QString& name) {
        return QString("%1 Hof/%2").arg(int(kind)).arg(name);
    };
    QTest::newRow("plots equal ignoring case")
        << QStringList{"Acker.shp", "acker.SHP"} << QStringList{"Hof/Acker=1"}
        << QStringList{note(PlotNote::Kind::CaseTwin, "acker")};
    QTest::newRow("blanks around the name")
        << QStringList{" Acker .shp"} << QStringList{"Hof/ Acker =1"} << QStringList{};
    QTest::newRow("longest name the file system holds")
        << QStringList{QString(251, 'a') + ".shp"} << QStringList{"Hof/" + QString(251, 'a') + "=1"}
        << QStringList{};
    QTest::newRow("refused by the map reader")
        << QStringList{"kaputt.shp"} << QStringList{"Hof/kaputt=1"}
        << QStringList{note(PlotNote::Kind::Refused, "kaputt")};
}

void TestPlotMeasures::oddNames()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, rows);
    QFETCH(QStringList, notes);
    ProgramFixture program;
    const QString farm = program.folder.makeFolder("Hof");
    for (const QString& file : files) {
        if (file.startsWith("kaputt"))
            program.folder.writeFile("Hof/" + file, "no shapefile");
        else
            writeShapefile(farm, file, polygonFile({{square(1000, 1000, 100)}}));
    }
    const SyncChanges changes = FieldFolderSync(program.state).schlagdatenabgleichen({"Hof"});
    QVERIFY(!changes.error.isError());
    QCOMPARE(program.rows(), rows);
    QCOMPARE(noteKinds(changes.notes), notes);
    if (files.first().startsWith(' '))
        QCOMPARE(rowOf(program, "Hof", " Acker ").flaeche, 1.0);
}

QTEST_GUILESS_MAIN(TestPlotMeasures)
#include "tst_plotmeasures.moc"
