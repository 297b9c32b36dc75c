#include "DemoCommand.h"
#include "DemoFolderReader.h"
#include "TestFolder.h"

#include <QtTest>

using namespace DemoFolderReader;

class TestDemoCommand : public QObject {
    Q_OBJECT

private slots:
    void exitCodes_data()
    {
        QTest::addColumn<QStringList>("args"); // DIR stands for the test's folder
        QTest::addColumn<bool>("farmAlreadyThere");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text"); // on standard output for 0, else on standard error
        QTest::newRow("no folder") << QStringList{} << false << 2 << "usage: ";
        QTest::newRow("seed without value")
            << QStringList{"DIR", "--seed"} << false << 2 << "--seed";
        QTest::newRow("seed not a number")
            << QStringList{"DIR", "--seed", "x1"} << false << 2 << "--seed";
        QTest::newRow("negative seed")
            << QStringList{"DIR", "--seed", "-3"} << false << 2 << "--seed";
        QTest::newRow("two folders")
            << QStringList{"DIR", "other"} << false << 2 << "unexpected argument: other";
        QTest::newRow("unknown option")
            << QStringList{"--force", "DIR"} << false << 2 << "unexpected argument: --force";
        QTest::newRow("folder") << QStringList{"DIR"} << false << 0 << "Farms: ";
        QTest::newRow("seed first") << QStringList{"--seed", "5", "DIR"} << false << 0 << "Seed: 5";
        QTest::newRow("folder with farms")
            << QStringList{"DIR"} << true << 1 << "already holds farm folders (Hof Eigen)";
    }
    void exitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, farmAlreadyThere);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        TestFolder test;
        const QString folder = test.file("demo");
        if (farmAlreadyThere)
            test.makeFolder("demo/Hof Eigen");
        args.replaceInStrings(QRegularExpression("^DIR$"), folder);
        QString outBuffer, errBuffer;
        QTextStream out(&outBuffer), err(&errBuffer);
        QCOMPARE(runDemoCommand(args, out, err), exitCode);
        const QString said = exitCode == 0 ? outBuffer : errBuffer;
        QVERIFY2(said.contains(text), qPrintable(said));
        QCOMPARE(exitCode == 0 ? errBuffer : outBuffer, QString());
        if (exitCode == 2)
            QVERIFY(!QFileInfo::exists(folder)); // nothing written on a usage error
        else
            QVERIFY2(said.contains(folder), qPrintable(said));
    }

    void seedDecidesTheFolder()
    {
        TestFolder test;
        QString outBuffer, errBuffer;
        QTextStream out(&outBuffer), err(&errBuffer);
        QCOMPARE(runDemoCommand({test.file("a"), "--seed", "5"}, out, err), 0);
        QCOMPARE(runDemoCommand({test.file("b"), "--seed", "5"}, out, err), 0);
        QCOMPARE(runDemoCommand({test.file("c"), "--seed", "6"}, out, err), 0);
        // The same seed gives the same files byte for byte and the same rows.
        const QStringList files = filesBelow(test.file("a"));
        QCOMPARE(filesBelow(test.file("b")), files);
        for (const QString& file : files) {
            QCOMPARE(test.readFile("b/" + file), test.readFile("a/" + file));
            // Farm and GPS files carry fixed times; the installation files in
            // the folder itself carry the time of the run.
            if (file.contains('/'))
                QCOMPARE(QFileInfo(test.file("b/" + file)).lastModified(),
                         QFileInfo(test.file("a/" + file)).lastModified());
        }
        for (const char* table : {"betriebe", "schlagdaten"}) {
            const QStringList rows = tableRows(test.file("a"), table);
            QVERIFY(!rows.isEmpty());
            QCOMPARE(tableRows(test.file("b"), table), rows);
        }
        QVERIFY(tableRows(test.file("c"), "schlagdaten") !=
                tableRows(test.file("a"), "schlagdaten"));
    }
};

QTEST_GUILESS_MAIN(TestDemoCommand)
#include "tst_democommand.moc"
