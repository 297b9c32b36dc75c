// The version as shown, the support mail link, and where an installed
// program keeps its data.
#include "ProgramFolderChoice.h"
#include "ProgramInfo.h"
#include "TestFolder.h"

#include <QtTest>

class TestProgramInfo : public QObject {
    Q_OBJECT
private slots:
    void versionText_data()
    {
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("build number dropped") << "1.2.0.3"
                                              << "1.2.3";
        QTest::newRow("year version") << "2005.0.0.9"
                                      << "2005.0.9";
        QTest::newRow("three parts") << "2026.1.4"
                                     << "2026.1.4";
        QTest::newRow("leading zeros") << "01.002.7.03"
                                       << "1.2.3";
        QTest::newRow("two parts") << "2026.1"
                                   << "2026.1.0";
    }
    void versionText()
    {
        QFETCH(QString, fileVersion);
        QFETCH(QString, shown);
        QCOMPARE(ProgramInfo::versionText(fileVersion), shown);
    }

    void supportMailLink()
    {
        QCOMPARE(ProgramInfo::supportMailLink("hotline@example.org", "Sorvan-GIS-Viewer",
                                              "2026.1.0", "06.12.2026"),
                 QString("mailto:hotline@example.org?subject=Support-Anfrage&body=Programm:%20"
                         "Sorvan-GIS-Viewer%0D%0AVersion:%202026.1.0%20vom%2006.12.2026"
                         "%0D%0A%0AAnfrage%20/%20Genaue%20Fehlerbeschreibung:"));
    }

    // Folders made below a temporary folder; the executable lies in "exe".
    void programFolder_data()
    {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree")
            << "build/bin" << QStringList{"build/bin"} << QStringList{} << false;
        QTest::newRow("installed")
            << "usr/bin" << QStringList{"usr/bin", "usr/share/sorvan-gis-viewer"} << QStringList{}
            << true;
        QTest::newRow("shared name is a file")
            << "usr/bin" << QStringList{"usr/bin"} << QStringList{"usr/share/sorvan-gis-viewer"}
            << false;
        QTest::newRow("not a bin folder")
            << "usr/lib" << QStringList{"usr/lib", "usr/share/sorvan-gis-viewer"} << QStringList{}
            << false;
    }
    void programFolder()
    {
        QFETCH(QString, exe);
        QFETCH(QStringList, folders);
        QFETCH(QStringList, files);
        QFETCH(bool, installed);
        TestFolder root;
        for (const QString& folder : folders)
            root.makeFolder(folder);
        for (const QString& file : files)
            root.writeFile(file, "x");
        const QString exeFolder = root.file(exe);
        const QString data = root.file("home/.local/share/Sorvan-GIS-Viewer");
        QCOMPARE(ProgramFolderChoice::defaultFolder(exeFolder, data), installed ? data : exeFolder);
    }
};

QTEST_MAIN(TestProgramInfo)
#include "tst_programinfo.moc"
