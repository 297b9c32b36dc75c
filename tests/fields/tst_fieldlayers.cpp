#include "FarmNameCheck.h"
#include "FieldLayers.h"
#include "LayerDisplay.h"
#include "MapDocument.h"
#include "ProgramState.h"
#include "PlotColumns.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"
#include "TestFolder.h"

#include <QDir>
#include <QtTest>

using Plots = QList<PlotRecord>;

class TestFieldLayers : public QObject {
    Q_OBJECT
private slots:
    void stage_data();
    void stage();
    void cellCheck_data();
    void cellCheck();
    void farmName_data();
    void farmName();
};

namespace {
PlotRecord plot(const QString& ordner, const QString& dateiname, qint64 farbe, double flaeche)
{
    return {dateiname, ordner, {}, 0, 0, 0, {}, {}, farbe, flaeche, 0, 0, 0};
}
} // namespace

void TestFieldLayers::stage_data()
{
    QTest::addColumn<Plots>("plots");
    QTest::addColumn<QList<qint64>>("colours"); // of the drawn tables, in table order
    QTest::addColumn<double>("area");
    QTest::newRow("colours follow the chosen plots, not the file names")
        << Plots{plot("A", "w", 3, 1), plot("A", "u", 1, 2), plot("A", "v", 2, 0.5)}
        << QList<qint64>{3, 1, 2} << 3.5;
    QTest::newRow("a plot without files shifts no colour")
        << Plots{plot("A", "u", 1, 1), plot("A", "gone", 9, 4), plot("A", "v", 2, 1)}
        << QList<qint64>{1, 2} << 6.0;
    QTest::newRow("a damaged plot shifts no colour")
        << Plots{plot("A", "u", 1, 1), plot("A", "bad", 9, 4), plot("A", "v", 2, 1)}
        << QList<qint64>{1, 2} << 6.0;
    QTest::newRow("same file name in two farms: both drawn")
        << Plots{plot("A", "u", 1, 1), plot("B", "U", 5, 1)} << QList<qint64>{1, 5} << 2.0;
    QTest::newRow("a name as long as the file system allows")
        << Plots{plot("A", QString(251, 'L'), 4, 1), plot("A", "u", 1, 1)}
        << QList<qint64>{4, 1} << 2.0;
    Plots many;
    for (int i = 0; i < 1001; ++i)
        many << plot("A", "u", i, 0.01);
    QList<qint64> manyColours;
    for (int i = 0; i < 1001; ++i)
        manyColours << i;
    QTest::newRow("more than 1000 plots") << many << manyColours << 10.01;
}

void TestFieldLayers::stage()
{
    QFETCH(Plots, plots);
    QFETCH(QList<qint64>, colours);
    QFETCH(double, area);
    TestFolder program;
    for (const QString& base : QStringList{"u", "v", "w", QString(251, 'L')})
        ShapeFixture::writeSquare(program.makeFolder("A"), base, 0, 0, 10);
    ShapeFixture::writeSquare(program.makeFolder("B"), "U", 20, 0, 10);
    program.writeFile("A/bad.SHP", "no shapefile");
    program.writeFile("A/bad.SHX", "no index");
    program.writeFile("temp/old.SHP", "left from the last display");

    const FieldLayers::Staged staged = FieldLayers::stage(program.path(), plots);
    QVERIFY(!staged.error.isError());
    QCOMPARE(qRound(staged.areaHa * 100), qRound(area * 100));
    // Nothing is left in the staging folder: the map reads the farm folders.
    QCOMPARE(QDir(StagingFolder::path(program.path())).entryList(QDir::NoDotAndDotDot |
                                                                 QDir::AllEntries),
             QStringList());
    // The map draws one view per readable plot, in the plot's colour.
    MapDocument map;
    ProgramState state;
    const LayerDisplay::Result shown = LayerDisplay::show(
        map, state, StagingFolder::path(program.path()), staged.files, staged.colours);
    QVERIFY(shown.shown);
    QCOMPARE(shown.problems.size(), staged.files.size() - colours.size());
    QList<qint64> drawn;
    for (const MapView* view : map.views()) // VIEW 1 shows the last table
        drawn.prepend(view->colour());
    QCOMPARE(drawn, colours);
}

void TestFieldLayers::cellCheck_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal"); // message control, "" when accepted
    const QString sixty(60, 'x');
    const std::tuple<const char*, int, QString, QString> rows[] = {
        {"Nummer 12a", 1, "12a", "kontrollenummer"},
        {"Nummer empty is 0", 1, "", ""},
        {"Teil 1000", 2, "1000", "kontrolleteil"},
        {"Teil 999", 2, "999", ""},
        {"Name 61", 3, sixty + "x", "kontrollename"},
        {"Name 60", 3, sixty, ""},
        {"Erntejahr negative", 4, "-1", "kontrolleerntejahr"},
        {"Kultur 61", 5, sixty + "y", "kontrollekultur"},
        {"Anmerkung 61", 6, sixty + "z", "kontrolleanmerkung"},
        {"Farbe largest", 7, "999999999", ""},
        {"Farbe too large", 7, "1000000000", "kontrollefarbe"},
        {"Flaeche with a point", 8, "1.25", ""},
        {"Umfang no number", 9, "abc", "kontrollemesswert"},
        {"maxDOP negative", 10, "-1", "kontrollemesswert"},
        {"Dateiname unchecked", 0, "a/b", ""}};
    for (const auto& [name, column, text, refusal] : rows)
        QTest::newRow(name) << column << text << refusal;
}

void TestFieldLayers::cellCheck()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    const std::optional<TextKey> key = PlotColumns::check(column, text);
    QCOMPARE(key ? key->control : QString(), refusal);
}

void TestFieldLayers::farmName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("refusal"); // 0 accepted, else the check that fails
    QTest::newRow("blanks only") << "   " << 1;
    QTest::newRow("trimmed name accepted") << "  Meier Hof  " << 0;
    QTest::newRow("existing folder, other case") << "meierhof" << 2;
    QTest::newRow("Shapes is a folder too") << "SHAPES" << 2;
    QTest::newRow("staging folder not compared") << "Temp" << 0;
    QTest::newRow("umlaut") << "Müller" << 3;
    QTest::newRow("punctuation") << "Hof-1" << 3;
    QTest::newRow("empty before existing") << "" << 1;
}

void TestFieldLayers::farmName()
{
    QFETCH(QString, name);
    QFETCH(int, refusal);
    TestFolder program;
    for (const QString folder : {"Meierhof", "temp", "shapes"})
        program.makeFolder(folder);
    QCOMPARE(FarmNameCheck::check(program.path(), name), refusal);
}

QTEST_GUILESS_MAIN(TestFieldLayers)
#include "tst_fieldlayers.moc"
