#include "ProgramFixture.h"
#include "ProjectDatabase.h"
#include "SqlStatements.h"
#include "TestFolder.h"
#include "TextCatalogue.h"
#include "WarningCatcher.h"

#include <QFile>
#include <QSqlDatabase>
#include <QtTest>

Q_DECLARE_METATYPE(ErrorKind)

namespace {

const QString projectFile = QStringLiteral("GISDATEN.MDB");
const QString catalogueFile = QStringLiteral("texte.mdb");

} // namespace

class TestProjectDatabase : public QObject {
    Q_OBJECT
private slots:
    void namesWithQuotesAreJustValues_data();
    void namesWithQuotesAreJustValues();
    void newPlotRowsDefaultToZero();
    void brokenDatabaseIsRefused_data();
    void brokenDatabaseIsRefused();
};

void TestProjectDatabase::namesWithQuotesAreJustValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("quote and semicolon") << "x'; drop table betriebe; --";
}

void TestProjectDatabase::namesWithQuotesAreJustValues()
{
    QFETCH(QString, name);
    ProgramFixture program;
    ProjectDatabase& db = program.database;
    QVERIFY(!db.addFarm(name).isError());
    QVERIFY(db.farmExists(name));
    QCOMPARE(db.farmNames(), QStringList{name});
    QVERIFY(program.addPlot(name, name));
    QCOMPARE(db.plotsOfFarm(name).value(0).dateiname, name);
}

void TestProjectDatabase::newPlotRowsDefaultToZero()
{
    ProgramFixture program;
    QSqlQuery query(program.database.database());
    QVERIFY(query.exec("insert into schlagdaten (dateiname, Name, ordner, anzeigen) "
                       "values ('neu', 'neu', 'Hof', 1)"));
    const PlotRecord plot = program.database.plotsOfFarm("Hof").value(0);
    QCOMPARE(plot.farbe, qint64(0));
    QCOMPARE(plot.flaeche, 0.0);
    QCOMPARE(plot.teil, 0);
    QCOMPARE(plot.maxDop, 0.0);
}

// Databases that cannot serve: each is refused at open with an error of its
// own kind naming the file, without a Qt SQL warning and without touching or
// creating the file.
void TestProjectDatabase::brokenDatabaseIsRefused_data()
{
    QTest::addColumn<QString>("file");     // GISDATEN.MDB or texte.mdb
    QTest::addColumn<QByteArray>("bytes"); // the file's content; empty: built with sql
    QTest::addColumn<QStringList>("sql");  // applied to a good database of that kind
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<QString>("detail"); // compared when not empty

    const QStringList none;
    const QString collations = "pragma writable_schema = on";
    // Bytes that stand for something other than file content.
    const QByteArray folder = "<folder>";
    const QByteArray ace = "<real>GISDATEN-ace.accdb";

    QTest::newRow("good, column names in other case")
        << projectFile << QByteArray()
        << QStringList{"alter table schlagdaten rename column dateiname to DATEINAME",
                       "alter table betriebe rename column Name to NAME"}
        << ErrorKind::None << QString();
    QTest::newRow("missing") << projectFile << QByteArray("<none>") << none
                             << ErrorKind::FileNotFound << QString();
    QTest::newRow("folder") << projectFile << folder << none << ErrorKind::FolderNotFile
                            << QString();
    QTest::newRow("text") << projectFile << QByteArray("Betrieb;Schlag\nHof;Acker\n").repeated(99)
                          << none << ErrorKind::NotADatabase << QString();
    QTest::newRow("SQLite header cut short") << projectFile << QByteArray("SQLite format 3") << none
                                             << ErrorKind::NotADatabase << QString();
    QTest::newRow("Jet header") << projectFile << accessHeader("Standard Jet DB") << none
                                << ErrorKind::AccessDatabase << QString();
    QTest::newRow("Access 2007 file")
        << projectFile << ace << none << ErrorKind::AccessDatabase << QString();
    QTest::newRow("empty file") << projectFile << QByteArray("<empty>") << none
                                << ErrorKind::TableMissing << "betriebe";
    QTest::newRow("no gpsdaten") << projectFile << QByteArray()
                                 << QStringList{"drop table gpsdaten"} << ErrorKind::TableMissing
                                 << "gpsdaten";
    QTest::newRow("no maxDOP") << projectFile << QByteArray()
                               << QStringList{"alter table schlagdaten drop column maxDOP"}
                               << ErrorKind::ColumnMissing << "schlagdaten.maxDOP";
    QTest::newRow("farm name column renamed")
        << projectFile << QByteArray()
        << QStringList{"drop index betriebe_name",
                       "alter table betriebe rename column Name to Betrieb"}
        << ErrorKind::ColumnMissing << "betriebe.Name";
    QTest::newRow("unknown collation of a column")
        << projectFile << QByteArray()
        << QStringList{collations, recollate("betriebe", "NOCASE", "LOKAL")}
        << ErrorKind::UnknownCollation << "LOKAL";
    QTest::newRow("unknown collation of an index")
        << projectFile << QByteArray()
        << QStringList{"create index gps_datum on gpsdaten (Datum collate nocase)", collations,
                       recollate("gps_datum", "nocase", "de_DE")}
        << ErrorKind::UnknownCollation << "de_DE";

    QTest::newRow("catalogue is an Access file") << catalogueFile << accessHeader("Standard ACE DB")
                                                 << none << ErrorKind::AccessDatabase << QString();
    QTest::newRow("catalogue without Texte")
        << catalogueFile << QByteArray() << QStringList{"drop table Texte"}
        << ErrorKind::TableMissing << "Texte";
    QTest::newRow("catalogue without key column")
        << catalogueFile << QByteArray()
        << QStringList{"alter table Texte rename column property to Eigenschaft"}
        << ErrorKind::ColumnMissing << "Texte.property";
    QTest::newRow("catalogue without German column")
        << catalogueFile << QByteArray() << QStringList{"alter table Texte drop column de"}
        << ErrorKind::ColumnMissing << "Texte.sprache1";
    QTest::newRow("catalogue key with unknown collation")
        << catalogueFile << QByteArray()
        << QStringList{collations, recollate("Texte", "NOCASE", "LOKAL")}
        << ErrorKind::UnknownCollation << "LOKAL";
}

void TestProjectDatabase::brokenDatabaseIsRefused()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, sql);
    QFETCH(ErrorKind, kind);
    QFETCH(QString, detail);

    TestFolder folder;
    const QString path = folder.file(file);
    if (bytes == "<none>") {
    } else if (bytes == "<folder>") {
        folder.makeFolder(file);
    } else if (bytes.startsWith("<real>")) {
        const QString real = QStringLiteral(SORVAN_REALDATA_DIR "/access/") + bytes.mid(6);
        if (!QFile::exists(real))
            QSKIP("the Access files are not there");
        QFile source(real);
        QVERIFY(source.open(QIODevice::ReadOnly));
        folder.writeFile(file, source.readAll());
    } else if (bytes == "<empty>") {
        folder.writeFile(file, QByteArray());
    } else if (!bytes.isEmpty()) {
        folder.writeFile(file, bytes);
    } else if (file == projectFile) {
        QCOMPARE(ProjectDatabase::createEmpty(path).detail, QString());
        QCOMPARE(runStatements(path, sql), QString());
    } else {
        sql.prepend("create table Texte (form TEXT COLLATE NOCASE, control TEXT COLLATE NOCASE,"
                    " property TEXT COLLATE NOCASE, de TEXT)");
        QCOMPARE(runStatements(path, sql), QString());
    }
    const QByteArray before = folder.readFile(file);

    WarningCatcher warnings;
    OperationError error;
    bool open = false;
    if (file == projectFile) {
        ProjectDatabase database;
        error = database.open(folder.path());
        open = database.isOpen();
    } else {
        TextCatalogue catalogue;
        error = catalogue.open(folder.path());
        open = catalogue.isOpen();
    }
    QCOMPARE(error.kind, kind);
    QCOMPARE(open, kind == ErrorKind::None);
    if (kind != ErrorKind::None)
        QCOMPARE(error.where, path);
    if (!detail.isEmpty())
        QCOMPARE(error.detail, detail);
    QCOMPARE(warnings.caught(), QStringList());
    QCOMPARE(QSqlDatabase::connectionNames(), QStringList());
    QCOMPARE(folder.readFile(file), before);
    QCOMPARE(QFileInfo::exists(path), bytes != "<none>");
}

QTEST_GUILESS_MAIN(TestProjectDatabase)
#include "tst_projectdatabase.moc"
