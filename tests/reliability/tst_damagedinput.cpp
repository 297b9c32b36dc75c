// Damaged and hostile input met through the command-line program as a user
// meets it: damaged plots and measurements are named with their reason and
// never half taken, a locked GPS card is named once, long names work, and
// print --out replaces only a writable regular file.
#include "CliRun.h"
#include "ProgramFixture.h"
#include "ProjectDatabase.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QProcess>
#include <QtTest>

#include <cmath>

namespace {
CliRun cli(const QStringList& args, bool asNobody = false)
{
    return runCli(QStringLiteral(SORVAN_CLI), args, asNobody);
}

const QByteArray description =
    "M\r\nFlaeche [ha]:    2.5\r\nUmfang [m]:      640.25\r\nmax. DOP:        3.1\r\n";

// A polygon shapefile of one square record, damaged as named: "empty" 0
// bytes, "nan" / "1e308" one coordinate, "negative parts" a part count of -1.
ShapeFixture::Shapefile damagedSquare(const QString& damage)
{
    QPolygonF ring = ShapeFixture::square(500000, 6000000, 100);
    if (damage == "nan")
        ring[2].setX(std::nan(""));
    if (damage == "1e308")
        ring[2].setY(1e308);
    ShapeFixture::Shapefile file = ShapeFixture::polygonFile({{ring}});
    if (damage == "empty")
        file.shp.clear();
    if (damage == "negative parts")
        file.shp = ShapeFixture::withInt32(file.shp, 100 + 8 + 36, -1);
    return file;
}

// The text of a PDF file; empty when pdftotext is missing.
QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestDamagedInput : public QObject {
    Q_OBJECT
private slots:
    void damagedFilesAreNamedAndNotTaken_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("coordinate of 1e308") << "1e308"
                                             << "1e9 m";
        QTest::newRow("coordinate not a number") << "nan"
                                                 << "not a number";
        QTest::newRow("negative part count") << "negative parts"
                                             << "record 1";
        QTest::newRow("empty main file") << "empty"
                                         << "";
    }

    // A damaged plot: the farm prints with its good plot; the damaged one is named
    // on standard error with its reason and marked in the printed list. A damaged
    // measurement: nothing is copied and no row added; the refusal names the
    // shapefile.
    void damagedFilesAreNamedAndNotTaken()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reason);
        TestFolder folder;
        QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
        const QString farm = folder.makeFolder("Hof");
        ShapeFixture::writeSquare(farm, "Gut", 500000, 6000000, 200);
        ShapeFixture::writeShapefile(farm, "Kaputt.shp", damagedSquare(damage));
        for (const char* dbf : {"Gut.DBF", "Kaputt.dbf"})
            folder.writeFile(QString("Hof/") + dbf, "table");
        const QString gps = folder.makeFolder("shapes"); // the program's own, no farm
        ShapeFixture::writeShapefile(gps, "M_F.SHP", damagedSquare(damage));
        folder.writeFile("shapes/M_F.DBF", "table");
        folder.writeFile("shapes/M_F.DES", description);
        const QString pdf = folder.file("sheet.pdf");
        const CliRun run = cli({"print", "--folder", folder.path(), "--out", pdf, "--list"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.out.contains(": 1 sheet"), qPrintable(run.out + run.err));
        QVERIFY2(run.err.contains(farm + "/Kaputt.shp: ") && run.err.contains(reason) &&
                     run.err.contains("not drawn") && !run.err.contains("left out") &&
                     !run.err.contains("/temp/"),
                 qPrintable(run.err));
        const QStringList farmFiles = folderSnapshot(farm);

        const CliRun assign =
            cli({"assign", "--folder", folder.path(), "--source", gps, "--farm", "Hof", "M"});
        QCOMPARE(assign.exitCode, 1);
        QVERIFY2(assign.err.contains(gps + "/MF.SHP"), qPrintable(assign.err));
        QCOMPARE(folderSnapshot(farm), farmFiles);
        ProjectDatabase database;
        QVERIFY(!database.open(folder.path()).isError());
        for (const PlotRecord& plot : database.plotsOfFarm("Hof"))
            QVERIFY(plot.dateiname != "M");

        const QString text = pdfText(pdf);
        if (text.isEmpty())
            QSKIP("pdftotext is missing");
        QVERIFY2(text.contains("(nicht gezeichnet) Kaputt") &&
                     !text.contains("(nicht gezeichnet) Gut"),
                 qPrintable(text));
    }

    void gpsFolderLimits_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // on standard output for 0, else on standard error
        const QString longName(245, QChar(u'm'));
        QTest::newRow("write-protected folder") << "M" << true << 1 << "write-protected";
        QTest::newRow("name of 245 bytes") << longName << false << 0 << longName + '\t';
        const QString umlauts = QString(122, QChar(u'ü')); // 244 bytes in UTF-8
        QTest::newRow("name of 244 bytes in umlauts") << umlauts << false << 0 << umlauts + '\t';
    }

    void gpsFolderLimits()
    {
        QFETCH(QString, base);
        QFETCH(bool, locked);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        TestFolder folder;
        QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
        const QString gps = folder.makeFolder("gps");
        ShapeFixture::writeSquare(gps, base + "_F", 500000, 6000000, 60);
        folder.writeFile("gps/" + base + "_F.DBF", "table");
        folder.writeFile("gps/" + base + "_F.DES", description);
        const QStringList before = folderSnapshot(gps);
        if (locked) {
            // The user "nobody" may write the program folder, not the GPS folder.
            QFile::setPermissions(folder.path(), QFile::Permissions(0x7777));
            QFile::setPermissions(folder.file("GISDATEN.MDB"), QFile::Permissions(0x6666));
            QFile::setPermissions(gps, QFile::Permissions(0x5555));
        }

        const CliRun run = cli({"gps", "--folder", folder.path(), "--source", gps}, locked);
        QFile::setPermissions(gps, QFile::Permissions(0x7700));
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? run.out : run.err).contains(said), qPrintable(run.out + run.err));
        if (locked) {
            QVERIFY2(run.err.contains(gps) && !run.err.contains("Permission denied"),
                     qPrintable(run.err));
            QCOMPARE(folderSnapshot(gps), before);
        }
    }

    void printTargets_data()
    {
        QTest::addColumn<QString>("target"); // what stands at the name before
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("writable file is replaced") << "file" << 0 << "";
        QTest::newRow("write-protected file") << "read-only file" << 1 << "write-protected";
        QTest::newRow("link to a file") << "link" << 1 << "not a regular file";
        QTest::newRow("folder") << "folder" << 1 << "not a regular file";
        QTest::newRow("long name") << "long name" << 0 << "";
    }

    void printTargets()
    {
        QFETCH(QString, target);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        TestFolder folder;
        writeTwoSquareFarms(folder);
        const QString other = folder.writeFile("other.pdf", "the user's own file");
        QString out = folder.file(target == "long name" ? QString(250, QChar(u'p')) + ".pdf"
                                                        : QString("sheet.pdf"));
        if (target == "file" || target == "read-only file")
            folder.writeFile("sheet.pdf", "an earlier sheet");
        if (target == "read-only file")
            QFile::setPermissions(out, QFile::ReadOwner | QFile::ReadOther);
        if (target == "link")
            QVERIFY(QFile::link(other, out));
        if (target == "folder")
            folder.makeFolder("sheet.pdf");

        const CliRun run = cli({"print", "--folder", folder.path(), "--out", out});
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(said), qPrintable(run.err));
        QCOMPARE(folder.readFile("other.pdf"), QByteArray("the user's own file"));
        QCOMPARE(QFileInfo(out).isSymLink(), target == "link");
        QCOMPARE(QFileInfo(out).isDir(), target == "folder");
        QCOMPARE(QDir(folder.path())
                     .entryList({".*.pdf*", ".sorvan-print*"}, QDir::Files | QDir::Hidden),
                 QStringList());
        if (exitCode != 0)
            QVERIFY2(run.err.contains(out), qPrintable(run.err));
        if (target == "read-only file")
            QCOMPARE(folder.readFile("sheet.pdf"), QByteArray("an earlier sheet"));
        else if (exitCode == 0)
            QVERIFY(folder.readFile(QFileInfo(out).fileName()).startsWith("%PDF"));
    }
};

QTEST_GUILESS_MAIN(TestDamagedInput)
#include "tst_damagedinput.moc"
