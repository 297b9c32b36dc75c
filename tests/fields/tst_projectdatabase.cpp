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
    const PlotRecord p = program.database.plotsOfFarm("Hof").value(0);
    QCOMPARE((QList<double>{double(p.farbe), p.flaeche, double(p.teil), p.maxDop}),
             (QList<double>{0, 0, 0, 0}));
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

    // Bytes in <> stand for something other than file content.
    const QString db = projectFile, texts = "texte.mdb", schema = "pragma writable_schema = on";
    auto row = [](const char* name, const QString& file, const QByteArray& bytes,
                  const QStringList& sql, ErrorKind kind, const QString& detail = {}) {
        QTest::newRow(name) << file << bytes << sql << kind << detail;
    };
    using K = ErrorKind;
    row("good, column names in other case", db, {},
        {"alter table schlagdaten rename column dateiname to DATEINAME",
         "alter table betriebe rename column Name to NAME"},
        K::None);
    row("missing", db, "<none>", {}, K::FileNotFound);
    row("folder", db, "<folder>", {}, K::FolderNotFile);
    row("text", db, QByteArray("Betrieb;Schlag\nHof;Acker\n").repeated(99), {}, K::NotADatabase);
    row("SQLite header cut short", db, "SQLite format 3", {}, K::NotADatabase);
    row("Jet header", db, accessHeader("Standard Jet DB"), {}, K::AccessDatabase);
    row("Access 2007 file", db, "<real>GISDATEN-ace.accdb", {}, K::AccessDatabase);
    row("empty file", db, "<empty>", {}, K::TableMissing, "betriebe");
    row("no gpsdaten", db, {}, {"drop table gpsdaten"}, K::TableMissing, "gpsdaten");
    row("no maxDOP", db, {}, {"alter table schlagdaten drop column maxDOP"}, K::ColumnMissing,
        "schlagdaten.maxDOP");
    row("farm name column renamed", db, {},
        {"drop index betriebe_name", "alter table betriebe rename column Name to Betrieb"},
        K::ColumnMissing, "betriebe.Name");
    row("unknown collation of a column", db, {}, {schema, recollate("betriebe", "NOCASE", "LOKAL")},
        K::UnknownCollation, "LOKAL");
    row("unknown collation of an index", db, {},
        {"create index gps_datum on gpsdaten (Datum collate nocase)", schema,
         recollate("gps_datum", "nocase", "de_DE")},
        K::UnknownCollation, "de_DE");
    row("catalogue is an Access file", texts, accessHeader("Standard ACE DB"), {},
        K::AccessDatabase);
    row("catalogue without Texte", texts, {}, {"drop table Texte"}, K::TableMissing, "Texte");
    row("catalogue without key column", texts, {},
        {"alter table Texte rename column property to Eigenschaft"}, K::ColumnMissing,
        "Texte.property");
    row("catalogue without German column", texts, {}, {"alter table Texte drop column de"},
        K::ColumnMissing, "Texte.sprache1");
    row("catalogue key with unknown collation", texts, {},
        {schema, recollate("Texte", "NOCASE", "LOKAL")}, K::UnknownCollation, "LOKAL");
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
