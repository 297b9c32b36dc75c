#include "GpsPathDefault.h"
#include "LanguageFile.h"
#include "ProgramFolderSetup.h"
#include "ProjectDatabase.h"
#include "SettingsStore.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QtTest>

class TestStartupFiles : public QObject {
    Q_OBJECT
private slots:
    void settingsKeysIgnoreCase();
    void settingsDefaults_data();
    void settingsDefaults();
    void languageFileRead_data();
    void languageFileRead();
    void languageFileMissing();
    void languageFileWrittenAsDigitsAndLineBreak();
    void gpsPath_data();
    void gpsPath();
    void installsMissingFilesOnly();
    void installedFilesAreUsable();
};

void TestStartupFiles::settingsKeysIgnoreCase()
{
    TestFolder folder;
    const QString ini = folder.file("settings.ini");
    {
        SettingsStore store(ini);
        store.saveInt("mdi0left", 1500);
        store.saveInt("mdi0Top", 750);
        store.sync();
    }
    SettingsStore store(ini);
    QCOMPARE(store.getInt("mdi0Left", 0), 1500);
    QCOMPARE(store.getInt("MDI0TOP", 0), 750);
    store.saveInt("MDI0LEFT", 30);
    QCOMPARE(store.getInt("mdi0left", 0), 30);
}

void TestStartupFiles::settingsDefaults_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing key gives default") << QString() << 2925;
    QTest::newRow("number") << "4000" << 4000;
    QTest::newRow("not a number gives default") << "abc" << 2925;
    QTest::newRow("negative position") << "-120" << -120;
}

void TestStartupFiles::settingsDefaults()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    TestFolder folder;
    SettingsStore store(folder.file("s.ini"));
    if (!stored.isNull())
        store.saveSetting("schlagdatenheight", stored);
    QCOMPARE(store.getInt("schlagdatenheight", 2925), expected);
}

void TestStartupFiles::languageFileRead_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("expected");
    QTest::newRow("3") << QByteArray("3\r\n") << 3;
    QTest::newRow("12 gives its first digit") << QByteArray("12\r\n") << 1;
    QTest::newRow("without line break") << QByteArray("5") << 5;
    QTest::newRow("first item ends at comma") << QByteArray("2,4\n") << 2;
    QTest::newRow("leading blanks skipped") << QByteArray("  4\n") << 4;
    QTest::newRow("quoted item") << QByteArray("\"3\"\n") << 3;
    QTest::newRow("empty file") << QByteArray() << 0;
    QTest::newRow("not a digit") << QByteArray("x\n") << 0;
}

void TestStartupFiles::languageFileRead()
{
    QFETCH(QByteArray, content);
    QFETCH(int, expected);
    TestFolder folder;
    folder.writeFile("sprache.dat", content); // found ignoring case
    const std::optional<int> read = LanguageFile::read(folder.path());
    QVERIFY(read.has_value());
    QCOMPARE(*read, expected);
}

void TestStartupFiles::languageFileMissing()
{
    TestFolder folder;
    QVERIFY(!LanguageFile::read(folder.path()).has_value());
}

void TestStartupFiles::languageFileWrittenAsDigitsAndLineBreak()
{
    TestFolder folder;
    folder.writeFile("Sprache.dat", "12\n");
    QVERIFY(LanguageFile::write(folder.path(), 4));
    QCOMPARE(folder.readFile("Sprache.dat"), QByteArray("4\r\n"));
    QVERIFY(!QFileInfo::exists(folder.file("SPRACHE.DAT")) ||
            QFileInfo(folder.file("SPRACHE.DAT")).canonicalFilePath() ==
                QFileInfo(folder.file("Sprache.dat")).canonicalFilePath());
    QCOMPARE(*LanguageFile::read(folder.path()), 4);
}

void TestStartupFiles::gpsPath_data()
{
    QTest::addColumn<QStringList>("files"); // relative to a root holding program/ and palm/
    QTest::addColumn<QString>("expected");  // relative to the root
    QTest::newRow("shapes with a shapefile")
        << QStringList{"program/shapes/AF.SHP", "palm/dolvenar/user1/x"} << "program/shapes";
    QTest::newRow("shapes with lower-case extension")
        << QStringList{"program/Shapes/af.shp"} << "program/Shapes";
    QTest::newRow("empty shapes passed over, handheld sub-folder taken")
        << QStringList{"program/shapes/readme.txt", "palm/dolvenar/user1/x"}
        << "palm/dolvenar/user1";
    QTest::newRow("plain file in handheld folder passed over")
        << QStringList{"palm/dolvenar/aaa.txt", "palm/dolvenar/zuser/x"} << "palm/dolvenar/zuser";
    QTest::newRow("nothing: program folder") << QStringList{"palm/dolvenar/only.txt"} << "program";
}

void TestStartupFiles::gpsPath()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    TestFolder root;
    root.makeFolder("program");
    for (const QString& file : files)
        root.writeFile(file, "x");
    QCOMPARE(GpsPathDefault::defaultGpsPath(root.file("program"), root.file("palm/dolvenar")),
             root.file(expected));
}

void TestStartupFiles::installsMissingFilesOnly()
{
    TestFolder folder;
    folder.writeFile("gisdaten.mdb", "keep me");
    const ProgramFolderSetup::Result result =
        ProgramFolderSetup::installMissingFiles(folder.path());
    QVERIFY(!result.error.isError());
    QCOMPARE(result.installed, (QStringList{"texte.mdb", "leer.DBF"}));
    QCOMPARE(folder.readFile("gisdaten.mdb"), QByteArray("keep me"));
    QVERIFY(!QFileInfo::exists(folder.file("GISDATEN.MDB")) ||
            folder.readFile("GISDATEN.MDB") == "keep me");
    const ProgramFolderSetup::Result again = ProgramFolderSetup::installMissingFiles(folder.path());
    QCOMPARE(again.installed, QStringList());
}

void TestStartupFiles::installedFilesAreUsable()
{
    TestFolder folder;
    QCOMPARE(ProgramFolderSetup::installMissingFiles(folder.path()).installed.size(), 3);
    ProjectDatabase database;
    QVERIFY(!database.open(folder.path()).isError());
    QCOMPARE(database.plotCount(), 0);
    TextCatalogue catalogue;
    QVERIFY(!catalogue.open(folder.path()).isError());
    QCOMPARE(catalogue.textholen("haupt", "Eingabefehler", "1", 1), QString(" - Eingabefehler"));
    // leer.DBF: an attribute table without records (header of 32 bytes, one
    // 32-byte field descriptor, terminator).
    const QByteArray dbf = folder.readFile("leer.DBF");
    QVERIFY(dbf.size() >= 65);
    QCOMPARE(int(quint8(dbf.at(4))) | int(quint8(dbf.at(5))) << 8, 0); // record count
}

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
