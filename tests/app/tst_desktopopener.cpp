// Links handed to the desktop through xdg-open: an xdg-open that finds no
// program is a failure; one still running has started a program.
#include "DesktopOpener.h"
#include "TestFolder.h"

#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <QtTest>

class TestDesktopOpener : public QObject {
    Q_OBJECT
private slots:
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

QTEST_MAIN(TestDesktopOpener)
#include "tst_desktopopener.moc"
