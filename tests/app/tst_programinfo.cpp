// What the program tells about itself and the desktop: the version as shown,
// where an installed program keeps its data, and links handed to xdg-open.
#include "DesktopOpener.h"
#include "ProgramFolderChoice.h"
#include "ProgramInfo.h"
#include "TestFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <QtTest>

class TestProgramInfo : public QObject {
    Q_OBJECT
private slots:
    void versionText_data()
    {
        QTest::addColumn<QString>("fileVersion");
        QTest::addColumn<QString>("shown");
        QTest::newRow("build number dropped") << QString("1.2.0.3") << "1.2.3";
        QTest::newRow("three parts") << QString("2026.1.4") << "2026.1.4";
        QTest::newRow("leading zeros") << QString("01.002.7.03") << "1.2.3";
        QTest::newRow("two parts") << QString("2026.1") << "2026.1.0";
    }
    void versionText()
    {
        QFETCH(QString, fileVersion);
        QTEST(ProgramInfo::versionText(fileVersion), "shown");
    }

    // Folders (a trailing "*" makes a file) below a temporary folder; the
    // executable lies in usr/bin.
    void programFolder_data()
    {
        QTest::addColumn<QStringList>("made");
        QTest::addColumn<bool>("installed");
        QTest::newRow("build tree") << QStringList{"usr/bin"} << false;
        QTest::newRow("installed") << QStringList{"usr/bin", "usr/share/sorvan-gis-viewer"} << true;
        QTest::newRow("shared name is a file")
            << QStringList{"usr/bin", "usr/share/sorvan-gis-viewer*"} << false;
    }
    void programFolder()
    {
        QFETCH(QStringList, made);
        QFETCH(bool, installed);
        TestFolder root;
        for (const QString& entry : made)
            if (entry.endsWith('*'))
                root.writeFile(entry.chopped(1), "x");
            else
                root.makeFolder(entry);
        const QString data = root.file("home/.local/share/Sorvan-GIS-Viewer");
        QCOMPARE(ProgramFolderChoice::defaultFolder(root.file("usr/bin"), data),
                 installed ? data : root.file("usr/bin"));
    }

    // An xdg-open that finds no program fails; one still running has started
    // a program in the foreground and is not waited for.
    void xdgOpenAnswer_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<bool>("opened");
        QTest::newRow("opened") << QByteArray("exit 0") << true;
        QTest::newRow("no program for it") << QByteArray("exit 3") << false;
        QTest::newRow("program in the foreground") << QByteArray("sleep 4") << true;
    }
    void xdgOpenAnswer()
    {
        QFETCH(QByteArray, script);
        QFETCH(bool, opened);
        TestFolder bin;
        const QString fake = bin.writeFile("xdg-open", "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ':' + path);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(DesktopOpener::open(QUrl("mailto:hotline@example.org")), opened);
        QCOMPARE_LT(timer.elapsed(), 3000);
        qputenv("PATH", path);
    }
};

QTEST_MAIN(TestProgramInfo)
#include "tst_programinfo.moc"
