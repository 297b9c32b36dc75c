#include "FieldCommands.h"
#include "ProgramFixture.h"

#include <QtTest>

class TestFieldListing : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
};

void TestFieldListing::commands_data()
{
    QTest::addColumn<QString>("args"); // split at "|"; DIR stands for the program folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expected"); // the listing, or a part of the error message
    const QString plots = "dateiname\tordner\tName\tNummer\tTeil\tErntejahr\tKultur\tAnmerkung"
                          "\tFarbe\tFlaeche\tUmfang\tmaxDOP\tanzeigen\n"
                          "Acker\tHof A\tTab\\there\t7\t0\t2025\tMais\t\t255\t1.5\t0\t0\t1\n"
                          "Wiese\tHof A\tWiese\t0\t0\t0\t\t\t0\t0\t0\t0\t1\n";
    QTest::newRow("farms") << "farms|--folder|DIR" << 0 << "Hof A\t2\t1.5000\nO'Brien\t0\t0.0000\n";
    QTest::newRow("plots, farm in other case") << "plots|--folder|DIR|--farm|hof a" << 0 << plots;
    QTest::newRow("plots of all farms") << "plots|--folder|DIR" << 0 << plots;
    QTest::newRow("unknown farm") << "plots|--folder|DIR|--farm|Nope" << 1 << "Nope";
    QTest::newRow("no database") << "farms|--folder|DIR/Hof A" << 1 << "GISDATEN.MDB";
    QTest::newRow("no folder") << "farms" << 2 << "usage";
    QTest::newRow("farms takes no farm") << "farms|--folder|DIR|--farm|Hof A" << 2 << "--farm";
    QTest::newRow("no value") << "plots|--folder" << 2 << "--folder";
}

void TestFieldListing::commands()
{
    QFETCH(QString, args);
    QFETCH(int, exitCode);
    QFETCH(QString, expected);
    ProgramFixture program;
    const TestFolder& folder = program.folder;
    for (const PlotRecord& p :
         {PlotRecord{"Acker", "Hof A", "Tab\there", 7, 0, 2025, "Mais", {}, 255, 1.5, 0, 0, 0},
          PlotRecord{"Weg", "Hof A", "Weg", 0, 0, 0, {}, {}, 0, 100, 0, 0, 1}}) // files gone
        QVERIFY(!program.database.addPlot(p).isError());
    folder.writeFile("Hof A/acker.SHP", "x");
    folder.writeFile("Hof A/Wiese.shp", "x");
    folder.makeFolder("O'Brien");

    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    QStringList words = args.replace("DIR", folder.path()).split('|');
    const QString command = words.takeFirst();
    const int code = command == "farms" ? runFarmsCommand(words, outStream, errStream)
                                        : runPlotsCommand(words, outStream, errStream);
    QCOMPARE(code, exitCode);
    if (exitCode == 0)
        QCOMPARE(outText, expected);
    else
        QVERIFY2(outText.isEmpty() && errText.contains(expected), qPrintable(errText));
}

QTEST_GUILESS_MAIN(TestFieldListing)
#include "tst_fieldlisting.moc"
