#include "DescriptionFile.h"
#include "GpsAssignment.h"
#include "CliCommand.h"
#include "GpsDeletion.h"
#include "GpsImport.h"
#include "GpsTable.h"
#include "ProgramFixture.h"
#include "ProgramFolderSetup.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QtTest>
#include <cmath>
#include <sys/stat.h>

namespace {
const QByteArray goodDescription =
    "Messung 1\r\nFlaeche [ha]:    2.5\r\nUmfang [m]:      640.25\r\n"
    "max. DOP:        3.1\r\nPunkte:          4\r\n";

// A program folder with farm "Hof" and a GPS source folder "gps".
struct Program : ProgramFixture {
    Program()
    {
        ProgramFolderSetup::installMissingFiles(folder.path());
        folder.makeFolder("Hof");
        state.gpspfad = folder.makeFolder("gps");
        database.addFarm("Hof");
    }
    // A measurement's shapefile and attribute table under prefix ("AF",
    // "A_F"); its description file as des (none when empty).
    void measurement(const QString& prefix, const QString& des,
                     const QByteArray& text = goodDescription)
    {
        ShapeFixture::writeSquare(state.gpspfad, prefix, 0, 0, 100);
        QFile::copy(folder.file("leer.DBF"), state.gpspfad + '/' + prefix + ".DBF");
        if (!des.isEmpty())
            folder.writeFile("gps/" + des, text);
    }
    QStringList gpsRows() const
    {
        QStringList names;
        for (const GpsRow& row : GpsTable::rows(database, GpsTable::byName()))
            names << row.record.dateiname;
        return names;
    }
    QStringList files(const QString& relative) const
    {
        return QDir(folder.file(relative)).entryList(QDir::Files, QDir::Name);
    }
    // A plot's row as "ordner|Flaeche|Umfang|maxDOP|anzeigen", "" when none.
    QString plotRow(const QString& dateiname) const
    {
        QSqlQuery query(database.database());
        query.prepare("select ordner || '|' || Flaeche || '|' || Umfang || '|' || maxDOP || '|' ||"
                      " anzeigen from schlagdaten where dateiname = ?");
        query.addBindValue(dateiname);
        return query.exec() && query.next() ? query.value(0).toString() : QString();
    }
};

constexpr double none = -1; // a value that could not be read
} // namespace

class TestGpsCore : public QObject {
    Q_OBJECT
private slots:
    void description_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<double>>("values"); // area, perimeter, max. DOP; none unread
        QTest::addColumn<int>("error");
        QTest::newRow("CRLF") << goodDescription << QList<double>{2.5, 640.25, 3.1} << 0;
        QTest::newRow("LF, unit after the value")
            << QByteArray("t\nFlaeche [ha]:    12.3456 ha\nUmfang [m]:      1 234.5\nmax. DOP: 2")
            << QList<double>{12.3456, 1234.5, none} << 0;
        QTest::newRow("UTF-8 mark, umlaut in the label")
            << QByteArray("\xEF\xBB\xBFt\r\nFl\xC3\xA4"
                          "che [ha]:     7.25\r\nx\r\nmax. DOP:        2")
            << QList<double>{7.25, none, 2} << 0;
        QTest::newRow("Windows-1252 umlaut in the label")
            << QByteArray("t\r\nFl\xE4"
                          "che [ha]:     7.25\r\nUmfang [m]:      -3e2\r\nmax. DOP:        .5")
            << QList<double>{7.25, -300, 0.5} << 0;
        const QString utf16 = QStringLiteral("t\nFlaeche [ha]:    4.5\nx\ny");
        QTest::newRow("UTF-16 mark")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << QList<double>{4.5, none, none} << 0;
        QTest::newRow("comma shifts the items")
            << QByteArray("t\r\nFlaeche [ha]:    12,5\r\nUmfang [m]:      80\r\n")
            << QList<double>{12, none, 80} << 0;
        QTest::newRow("quoted item with comma")
            << QByteArray("t\r\n\"Flaeche, gesamt:  7.5\"x\r\nUmfang [m]:      nan\r\nmax. DOP:    "
                          "    inf")
            << QList<double>{7.5, 0, 0} << 0;
        const QList<double> unread{none, none, none};
        QTest::newRow("too large") << QByteArray("t\nFlaeche [ha]:    1e999\nx\ny") << unread
                                   << int(ErrorKind::InvalidArgument);
        QTest::newRow("hundreds of digits")
            << QByteArray("t\nFlaeche [ha]:    " + QByteArray(400, '9') + "\nx\ny") << unread
            << int(ErrorKind::InvalidArgument);
        QTest::newRow("first item past the reading limit")
            << QByteArray(2 << 20, 'x') + "\nFlaeche [ha]:    1\nx\ny" << unread
            << int(ErrorKind::InvalidArgument);
        QTest::newRow("empty") << QByteArray() << unread << int(ErrorKind::PastEndOfFile);
        QTest::newRow("three items")
            << QByteArray("t\r\na\r\nb\r\n") << unread << int(ErrorKind::PastEndOfFile);
    }

    void description()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<double>, values);
        QFETCH(int, error);
        TestFolder folder;
        const DescriptionFile::Read read = DescriptionFile::read(folder.writeFile("A.DES", bytes));
        const DescriptionFile::Values& v = read.values;
        QCOMPARE((QList<double>{v.area.value_or(none), v.perimeter.value_or(none),
                                v.maxDop.value_or(none)}),
                 values);
        QCOMPARE(read.error.code(), error);
        if (error)
            QCOMPARE(read.error.where, folder.file("A.DES"));
    }

    void import_data()
    {
        QTest::addColumn<QStringList>("prefixes"); // shapefile and table prefixes
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("delivery copied to working names")
            << QStringList{"A_F"} << QStringList{"A_F.DES"} << QStringList{"A"}
            << QStringList{"A.DES",   "AF.DBF",  "AF.SHP",  "AF.SHX",
                           "A_F.DBF", "A_F.DES", "A_F.SHP", "A_F.SHX"};
        QTest::newRow("delivery and working names: one row")
            << QStringList{"A_F", "AF"} << QStringList{"A_F.DES"} << QStringList{"A"}
            << QStringList{"A.DES",   "AF.DBF",  "AF.SHP",  "AF.SHX",
                           "A_F.DBF", "A_F.DES", "A_F.SHP", "A_F.SHX"};
        QTest::newRow("lower-case names, no description: no row, nothing deleted")
            << QStringList{"df", "CF"} << QStringList{"d.des"} << QStringList{"d"}
            << QStringList{"CF.DBF", "CF.SHP", "CF.SHX", "d.des", "df.DBF", "df.SHP", "df.SHX"};
        QTest::newRow("empty base name")
            << QStringList{"F"} << QStringList{".DES"} << QStringList{""}
            << QStringList{".DES", "F.DBF", "F.SHP", "F.SHX"};
    }

    void import()
    {
        QFETCH(QStringList, prefixes);
        QFETCH(QStringList, descriptions);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, files);
        Program p;
        for (const QString& prefix : prefixes)
            p.measurement(prefix, {});
        for (const QString& des : descriptions)
            p.folder.writeFile("gps/" + des, goodDescription);
        const GpsImport::Result result = GpsImport::gpsdateneinlesen(p.state);
        QVERIFY(!result.error.isError());
        QVERIFY(result.problems.isEmpty());
        QCOMPARE(p.gpsRows(), rows);
        QDir gps(p.state.gpspfad);
        QCOMPARE(gps.entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
        // A second import adds nothing; working copies keep the delivery's time.
        QVERIFY(!GpsImport::gpsdateneinlesen(p.state).error.isError());
        QCOMPARE(p.gpsRows(), rows);
        for (const QString& file : files) {
            if (file.contains("_F."))
                QCOMPARE(QFileInfo(gps.filePath(QString(file).replace("_F.DES", ".DES").remove('_')))
                             .lastModified(),
                         QFileInfo(gps.filePath(file)).lastModified());
        }
    }

    void importFillsMissingTableAndSparesLinks()
    {
        Program p;
        p.measurement("BF", "B.DES");
        QFile::remove(p.state.gpspfad + "/BF.DBF");
        // The working name of C is a link to a file outside: never written through.
        p.measurement("C_F", "C_F.DES");
        TestFolder outside;
        const QString canary = outside.writeFile("canary", "keep");
        QFile::link(canary, p.state.gpspfad + "/CF.SHP");
        const GpsImport::Result result = GpsImport::gpsdateneinlesen(p.state);
        QCOMPARE(p.folder.readFile("gps/BF.DBF"), p.folder.readFile("leer.DBF"));
        QCOMPARE(outside.readFile("canary"), QByteArray("keep"));
        QCOMPARE(result.problems.size(), 1);
        QCOMPARE(result.problems.first().kind, ErrorKind::Refused);
        QCOMPARE(p.gpsRows(), QStringList({"B", "C"})); // C_F.SHP and CF.SHP: one measurement
    }

    void deleteSkipsMissingFiles()
    {
        Program p;
        p.measurement("A_F", "A_F.DES");
        GpsImport::gpsdateneinlesen(p.state);
        QFile::remove(p.state.gpspfad + "/AF.SHX");
        QVERIFY(!GpsDeletion::deleteMeasurements(p.state.gpspfad, {"A "}).isError());
        QCOMPARE(p.files("gps"), QStringList({"A_F.DBF", "A_F.DES", "A_F.SHP", "A_F.SHX"}));
    }

    void assign_data()
    {
        QTest::addColumn<QString>("farm");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("fifoTable");
        QTest::addColumn<bool>("assigned");
        QTest::newRow("plot with values") << "Hof"
                                          << "A" << goodDescription << false << true;
        QTest::newRow("quotes in names") << "O'Hof"
                                         << "O'A" << goodDescription << false << true;
        QTest::newRow("short description: nothing")
            << "Hof"
            << "A" << QByteArray("t\r\nx\r\n") << false << false;
        QTest::newRow("third copy fails: nothing") << "Hof"
                                                   << "A" << goodDescription << true << false;
    }

    void assign()
    {
        QFETCH(QString, farm);
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(bool, fifoTable);
        QFETCH(bool, assigned);
        Program p;
        p.folder.makeFolder(farm);
        p.measurement(name + "F", name + ".DES", text);
        if (fifoTable) {
            QFile::remove(p.state.gpspfad + '/' + name + "F.DBF");
            QCOMPARE(::mkfifo(QFile::encodeName(p.state.gpspfad + '/' + name + "F.DBF"), 0600), 0);
        }
        const GpsAssignment::Outcome outcome = GpsAssignment::assign(p.state, farm, {name});
        QCOMPARE(outcome.error.isError(), !assigned);
        const QStringList copies{name + ".DBF", name + ".SHP", name + ".SHX"};
        QCOMPARE(p.files(farm), assigned ? copies : QStringList());
        QCOMPARE(p.plotRow(name), assigned ? farm + "|2.5|640.25|3.1|0" : QString());
        if (!assigned)
            return;
        // Again: already a plot, nothing copied over.
        const GpsAssignment::Outcome again = GpsAssignment::assign(p.state, farm, {name});
        QCOMPARE(again.alreadyPlots, QStringList{name});
        QVERIFY(again.assigned.isEmpty());
    }

    void assignNeverReplacesFarmFiles()
    {
        Program p;
        p.measurement("AF", "A.DES");
        p.folder.writeFile("Hof/a.shx", "mine");
        const GpsAssignment::Outcome outcome = GpsAssignment::assign(p.state, "Hof", {"A"});
        QCOMPARE(outcome.alreadyPlots, QStringList{"A"});
        QCOMPARE(p.files("Hof"), QStringList{"a.shx"});
        QCOMPARE(p.folder.readFile("Hof/a.shx"), QByteArray("mine"));
    }

    void commands()
    {
        Program p;
        p.measurement("A_F", "A_F.DES");
        p.measurement("BF", "B.DES", "t\r\nx\r\n");
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(runCommand("gps", {"--folder", p.folder.path(), "--source", p.state.gpspfad}, o, e),
                 0);
        const QString date = GpsImport::datum(p.state.gpspfad + "/A_F.SHP");
        QCOMPARE(out, "A\t" + date + "\t2.5\t640.25\t3.1\nB\t" + date + "\t\t\t\n");
        QVERIFY2(err.contains("B.DES"), qPrintable(err));

        out.clear();
        err.clear();
        const QStringList assign{"--folder", p.folder.path(), "--source", p.state.gpspfad,
                                 "--farm",   "hof",           "A"};
        QCOMPARE(runCommand("assign", assign, o, e), 0);
        QCOMPARE(out, QString("A\tHof\n"));
        QCOMPARE(p.plotRow("A"), QString("Hof|2.5|640.25|3.1|1"));
        QCOMPARE(runCommand("assign", assign, o, e), 1); // already a plot
        QStringList elsewhere = assign;
        elsewhere[5] = "Nowhere";
        QCOMPARE(runCommand("assign", elsewhere, o, e), 1);
        QCOMPARE(runCommand("assign", {"--folder", p.folder.path()}, o, e), 2);
    }
};

QTEST_GUILESS_MAIN(TestGpsCore)
#include "tst_gpscore.moc"
