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
    // Keys ignore case, also after the file is written and read again; a
    // value that is no number gives the default.
    void settings_data()
    {
        QTest::addColumn<QString>("savedAs"); // empty: nothing saved
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("askedAs");
        QTest::addColumn<int>("expected"); // the default is 2925
        QTest::newRow("missing key") << QString() << QString() << "mdi0height" << 2925;
        QTest::newRow("other case") << "mdi0left"
                                    << "1500"
                                    << "mdi0Left" << 1500;
        QTest::newRow("upper case") << "mdi0Top"
                                    << "750"
                                    << "MDI0TOP" << 750;
        QTest::newRow("not a number") << "mdi0height"
                                      << "abc"
                                      << "mdi0height" << 2925;
        QTest::newRow("negative position") << "mdi0left"
                                           << "-120"
                                           << "mdi0left" << -120;
    }
    void settings()
    {
        QFETCH(QString, savedAs);
        QFETCH(QString, value);
        QFETCH(QString, askedAs);
        TestFolder folder;
        const QString ini = folder.file("settings.ini");
        if (!savedAs.isEmpty()) {
            SettingsStore store(ini);
            store.saveSetting(savedAs, value);
            store.sync();
        }
        SettingsStore store(ini);
        QTEST(store.getInt(askedAs, 2925), "expected");
        store.saveInt(askedAs.toUpper(), 30); // replaces the value saved in another case
        QCOMPARE(store.getInt(savedAs.isEmpty() ? askedAs : savedAs, 0), 30);
    }

    // Read from a file found ignoring case; written back into that file as
    // digits and a line break.
    void languageFile_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file
        QTest::addColumn<int>("expected");       // -1: nothing read
        QTest::newRow("3") << QByteArray("3\r\n") << 3;
        QTest::newRow("12 gives its first digit") << QByteArray("12\r\n") << 1;
        QTest::newRow("without line break") << QByteArray("5") << 5;
        QTest::newRow("first item ends at comma") << QByteArray("2,4\n") << 2;
        QTest::newRow("leading blanks skipped") << QByteArray("  4\n") << 4;
        QTest::newRow("quoted item") << QByteArray("\"3\"\n") << 3;
        QTest::newRow("empty file asks again") << QByteArray("") << -1;
        QTest::newRow("not a digit asks again") << QByteArray("x\n") << -1;
        QTest::newRow("0 asks again") << QByteArray("0\r\n") << -1;
        QTest::newRow("no file") << QByteArray() << -1;
    }
    void languageFile()
    {
        QFETCH(QByteArray, content);
        TestFolder folder;
        const QString name = content.isNull() ? "SPRACHE.DAT" : "Sprache.dat";
        if (!content.isNull())
            folder.writeFile(name, content);
        QTEST(LanguageFile::read(folder.path()).value_or(-1), "expected");
        QVERIFY(LanguageFile::write(folder.path(), 4));
        QCOMPARE(folder.readFile(name), QByteArray("4\r\n"));
        QCOMPARE(LanguageFile::read(folder.path()).value_or(-1), 4);
    }

    // The handheld's folder palm/dolvenar in the home folder is found whatever
    // the case of its name; its first sub-folder is the first ignoring case.
    void gpsPath_data()
    {
        QTest::addColumn<QStringList>("files"); // below a home folder holding program/
        QTest::addColumn<QString>("expected");  // relative to the home folder
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
        QTest::newRow("handheld folder in other case")
            << QStringList{"Palm/DOLVENAR/User1/x"} << "Palm/DOLVENAR/User1";
        QTest::newRow("entries ordered ignoring case")
            << QStringList{"palm/dolvenar/Zeller/x", "palm/dolvenar/adam/x"}
            << "palm/dolvenar/adam";
        QTest::newRow("nothing: program folder")
            << QStringList{"palm/dolvenar/only.txt"} << "program";
    }
    void gpsPath()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, expected);
        TestFolder home;
        const QString program = home.makeFolder("program");
        for (const QString& file : files)
            home.writeFile(file, "x");
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

    // Names composed by the program found whatever their case: the path as on
    // disk, or as composed when missing; whether the trimmed name exists.
    void resolve_data()
    {
        QTest::addColumn<QStringList>("onDisk");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected"); // relative to the folder
        QTest::addColumn<bool>("exists");
        QTest::newRow("same name") << QStringList{"SPRACHE.DAT"} << "SPRACHE.DAT"
                                   << "SPRACHE.DAT" << true;
        QTest::newRow("other case") << QStringList{"gisdaten.mdb"} << "GISDATEN.MDB"
                                    << "gisdaten.mdb" << true;
        QTest::newRow("missing keeps composed name") << QStringList{"other.dbf"} << "leer.DBF"
                                                     << "leer.DBF" << false;
        QTest::newRow("exact match wins") << QStringList{"a.SHP", "a.shp"} << "a.shp"
                                          << "a.shp" << true;
        QTest::newRow("every component")
            << QStringList{"Hof Lindenau/Acker1.Shp"} << "HOF LINDENAU/acker1.SHP"
            << "Hof Lindenau/Acker1.Shp" << false;
        QTest::newRow("blanks around asked name") << QStringList{"DF.SHX"} << "  df.shx "
                                                  << "  df.shx " << true;
        QTest::newRow("prefix is no match") << QStringList{"DF.SHX.bak"} << "DF.SHX"
                                            << "DF.SHX" << false;
        QTest::newRow("description of empty base name") << QStringList{".DES"} << ".des"
                                                        << ".DES" << true;
    }
    void resolve()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, expected);
        TestFolder folder;
        for (const QString& file : onDisk)
            folder.writeFile(file, "x");
        QCOMPARE(FileResolver::resolvePath(folder.path(), asked), folder.file(expected));
        QTEST(FileResolver::dateiexistiert(folder.path(), asked), "exists");
    }
};

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
