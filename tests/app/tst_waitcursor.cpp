// The command-line program runs without a GUI application: the wait pointer
// must leave it alone.
#include "WaitCursor.h"

#include <QtTest>

class TestWaitCursor : public QObject {
    Q_OBJECT
private slots:
    void noPointerWithoutGuiApplication();
};

void TestWaitCursor::noPointerWithoutGuiApplication()
{
    QVERIFY(QCoreApplication::instance());
    QVERIFY(!qobject_cast<QGuiApplication*>(QCoreApplication::instance()));
    const WaitCursor wait;
    QVERIFY(!wait.isShown());
}

QTEST_GUILESS_MAIN(TestWaitCursor)
#include "tst_waitcursor.moc"
