#include "FileResolver.h"
#include "GpsPathDefault.h"
#include "LanguageFile.h"
#include "ProgramFolderSetup.h"
#include "SettingsStore.h"
#include "TestFolder.h"

#include <QtTest>

class TestStartupFiles : public QObject {
    Q_OBJECT
private slots:
    void settingsKeysIgnoreCase()
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

    void settingsDefaults_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::newRow("missing key gives default") << QString() << 2925;
        QTest::newRow("number") << "4000" << 4000;
        QTest::newRow("not a number gives default") << "abc" << 2925;
        QTest::newRow("negative position") << "-120" << -120;
    }
    void settingsDefaults()
    {
        QFETCH(QString, stored);
        QFETCH(int, expected);
        TestFolder folder;
        SettingsStore store(folder.file("s.ini"));
        if (!stored.isNull())
            store.saveSetting("schlagdatenheight", stored);
        QCOMPARE(store.getInt("schlagdatenheight", 2925), expected);
    }

    void languageFileRead_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<int>("expected");       // -1: nothing read
        QTest::newRow("3") << QByteArray("3\r\n") << 3;
        QTest::newRow("12 gives its first digit") << QByteArray("12\r\n") << 1;
        QTest::newRow("without line break") << QByteArray("5") << 5;
        QTest::newRow("first item ends at comma") << QByteArray("2,4\n") << 2;
        QTest::newRow("leading blanks skipped") << QByteArray("  4\n") << 4;
        QTest::newRow("quoted item") << QByteArray("\"3\"\n") << 3;
        QTest::newRow("empty file") << QByteArray("") << 0;
        QTest::newRow("not a digit") << QByteArray("x\n") << 0;
        QTest::newRow("no file") << QByteArray() << -1;
    }
    void languageFileRead()
    {
        QFETCH(QByteArray, content);
        TestFolder folder;
        if (!content.isNull())
            folder.writeFile("sprache.dat", content); // found ignoring case
        QTEST(LanguageFile::read(folder.path()).value_or(-1), "expected");
    }

    void languageFileWrittenAsDigitsAndLineBreak()
    {
        TestFolder folder;
        folder.writeFile("Sprache.dat", "12\n");
        QVERIFY(LanguageFile::write(folder.path(), 4));
        QCOMPARE(folder.readFile("Sprache.dat"), QByteArray("4\r\n"));
        QCOMPARE(*LanguageFile::read(folder.path()), 4);
    }

    void gpsPath_data()
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
            << QStringList{"palm/dolvenar/aaa.txt", "palm/dolvenar/zuser/x"}
            << "palm/dolvenar/zuser";
        QTest::newRow("nothing: program folder")
            << QStringList{"palm/dolvenar/only.txt"} << "program";
    }
    void gpsPath()
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

    // The handheld's folder palm/dolvenar in the home folder is found whatever
    // the case of its name; its first sub-folder is the first ignoring case.
    void handheldFolder_data()
    {
        QTest::addColumn<QStringList>("folders"); // below a home folder
        QTest::addColumn<QString>("expected");
        QTest::newRow("other case") << QStringList{"Palm/DOLVENAR/User1"} << "Palm/DOLVENAR/User1";
        QTest::newRow("entries ordered ignoring case")
            << QStringList{"palm/dolvenar/Zeller", "palm/dolvenar/adam"} << "palm/dolvenar/adam";
    }
    void handheldFolder()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        TestFolder home;
        const QString program = home.makeFolder("program");
        for (const QString& folder : folders)
            home.makeFolder(folder);
        qputenv("HOME", QFile::encodeName(home.path()));
        QCOMPARE(GpsPathDefault::defaultGpsPath(program), home.file(expected));
    }

    void installsMissingFilesOnly()
    {
        TestFolder folder;
        folder.writeFile("gisdaten.mdb", "keep me");
        folder.writeFile("schlagdaten.htm", "my own page");
        const ProgramFolderSetup::Result result =
            ProgramFolderSetup::installMissingFiles(folder.path());
        QVERIFY(!result.error.isError());
        // Every file of the help folder is supplied, but no page replaces one
        // of the same name in another case; the pictures are not named.
        const QStringList help = QDir(HELP_SOURCE_DIR).entryList(QDir::Files, QDir::Name);
        QCOMPARE(ProgramFolderSetup::helpFiles(), help);
        QStringList pages = help.filter(".HTM");
        pages.removeOne("schlagdaten.HTM");
        QCOMPARE(result.installed, QStringList({"texte.mdb", "leer.DBF"}) + pages);
        QCOMPARE(result.pictures, help.filter(QRegularExpression("\\.(png|css)$")));
        QCOMPARE(folder.readFile("gisdaten.mdb"), QByteArray("keep me"));
        QCOMPARE(folder.readFile("schlagdaten.htm"), QByteArray("my own page"));
        // The pages' pictures and links lead to supplied files.
        for (const QString& page : pages) {
            const QString html = QString::fromUtf8(folder.readFile(page));
            for (const auto& ref :
                 QRegularExpression("(src|href)=\"([^\":#]+)\"").globalMatch(html))
                QVERIFY2(help.contains(QUrl::fromPercentEncoding(ref.captured(2).toUtf8())),
                         qPrintable(page + ": " + ref.captured(2)));
        }
        QCOMPARE(ProgramFolderSetup::installMissingFiles(folder.path()).installed, QStringList());
        // leer.DBF: an attribute table without records (header of 32 bytes, one
        // 32-byte field descriptor, terminator).
        const QByteArray dbf = folder.readFile("leer.DBF");
        QVERIFY(dbf.size() >= 65);
        QCOMPARE(int(quint8(dbf.at(4))) | int(quint8(dbf.at(5))) << 8, 0); // record count
    }

    void resolvePath_data()
    {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("other case") << QStringList{"gisdaten.mdb"} << "GISDATEN.MDB"
                                    << "gisdaten.mdb";
        QTest::newRow("missing keeps composed name") << QStringList{"other.dbf"} << "leer.DBF"
                                                     << "leer.DBF";
        QTest::newRow("exact match wins") << QStringList{"a.SHP", "a.shp"} << "a.shp"
                                          << "a.shp";
        QTest::newRow("every component")
            << QStringList{"Hof Lindenau/Acker1.Shp"} << "HOF LINDENAU/acker1.SHP"
            << "Hof Lindenau/Acker1.Shp";
    }
    void resolvePath()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        TestFolder folder;
        for (const QString& file : onDisk)
            folder.writeFile(file, "x");
        QCOMPARE(FileResolver::resolvePath(folder.path(), asked), folder.file(expected));
    }

    void dateiexistiert_data()
    {
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("exists");
        QTest::newRow("same name") << "SPRACHE.DAT"
                                   << "SPRACHE.DAT" << true;
        QTest::newRow("other case") << "sprache.dat"
                                    << "SPRACHE.DAT" << true;
        QTest::newRow("blanks around asked name") << "DF.SHX"
                                                  << "  df.shx " << true;
        QTest::newRow("no such file") << "DF.SHX"
                                      << "DF.DBF" << false;
        QTest::newRow("prefix is no match") << "DF.SHX.bak"
                                            << "DF.SHX" << false;
        QTest::newRow("description of empty base name") << ".DES"
                                                        << ".des" << true;
    }
    void dateiexistiert()
    {
        QFETCH(QString, onDisk);
        QFETCH(QString, asked);
        TestFolder folder;
        folder.writeFile(onDisk, "x");
        QTEST(FileResolver::dateiexistiert(folder.path(), asked), "exists");
    }
};

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
