#include "DemoCommand.h"
#include "DemoFolderReader.h"
#include "TestFolder.h"

#include <QtTest>

class DemoCommandTest : public QObject {
    Q_OBJECT

private slots:
    void exitCodes_data();
    void exitCodes();
    void seedOptionReachesTheBuilder();
};

void DemoCommandTest::exitCodes_data()
{
    QTest::addColumn<QStringList>("args"); // DIR stands for the test's folder
    QTest::addColumn<bool>("farmAlreadyThere");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outText");
    QTest::addColumn<QString>("errText");

    QTest::newRow("no folder") << QStringList{} << false << 2 << ""
                               << "usage: ";
    QTest::newRow("seed without value") << QStringList{"DIR", "--seed"} << false << 2 << ""
                                        << "--seed";
    QTest::newRow("seed not a number") << QStringList{"DIR", "--seed", "x1"} << false << 2 << ""
                                       << "--seed";
    QTest::newRow("negative seed") << QStringList{"DIR", "--seed", "-3"} << false << 2 << ""
                                   << "--seed";
    QTest::newRow("two folders") << QStringList{"DIR", "other"} << false << 2 << ""
                                 << "unexpected argument: other";
    QTest::newRow("unknown option") << QStringList{"--force", "DIR"} << false << 2 << ""
                                    << "unexpected argument: --force";
    QTest::newRow("folder") << QStringList{"DIR"} << false << 0 << "Farms: "
                            << "";
    QTest::newRow("seed first") << QStringList{"--seed", "5", "DIR"} << false << 0 << "Seed: 5"
                                << "";
    QTest::newRow("folder with farms") << QStringList{"DIR"} << true << 1 << ""
                                       << "already holds farm folders (Hof Eigen)";
}

void DemoCommandTest::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(bool, farmAlreadyThere);
    QFETCH(int, exitCode);
    QFETCH(QString, outText);
    QFETCH(QString, errText);
    TestFolder test;
    const QString folder = test.file("demo");
    if (farmAlreadyThere)
        test.makeFolder("demo/Hof Eigen");
    args.replaceInStrings(QRegularExpression("^DIR$"), folder);

    QString outBuffer, errBuffer;
    QTextStream out(&outBuffer), err(&errBuffer);
    QCOMPARE(runDemoCommand(args, out, err), exitCode);
    QVERIFY2(outBuffer.contains(outText), qPrintable(outBuffer));
    QVERIFY2(errBuffer.contains(errText), qPrintable(errBuffer));
    if (exitCode == 0) {
        QVERIFY2(outBuffer.contains(folder), qPrintable(outBuffer));
        QCOMPARE(errBuffer, QString());
    } else {
        QCOMPARE(outBuffer, QString());
    }
    if (exitCode == 1)
        QVERIFY2(errBuffer.contains(folder), qPrintable(errBuffer));
    if (exitCode == 2)
        QVERIFY(!QFileInfo::exists(folder));
}

void DemoCommandTest::seedOptionReachesTheBuilder()
{
    TestFolder test;
    QString outBuffer, errBuffer;
    QTextStream out(&outBuffer), err(&errBuffer);
    QCOMPARE(runDemoCommand({test.file("a"), "--seed", "5"}, out, err), 0);
    QCOMPARE(runDemoCommand({test.file("b"), "--seed", "5"}, out, err), 0);
    QCOMPARE(runDemoCommand({test.file("c"), "--seed", "6"}, out, err), 0);
    const QStringList rows = DemoFolderReader::tableRows(test.file("a"), "schlagdaten");
    QVERIFY(!rows.isEmpty());
    QCOMPARE(DemoFolderReader::tableRows(test.file("b"), "schlagdaten"), rows);
    QVERIFY(DemoFolderReader::tableRows(test.file("c"), "schlagdaten") != rows);
}

QTEST_GUILESS_MAIN(DemoCommandTest)
#include "tst_democommand.moc"
