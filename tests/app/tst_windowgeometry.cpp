// Window positions in the settings store: twips arithmetic at the limits,
// outer geometry that survives save and load unchanged, and stored values
// that would not fit on the screens.
#include "SettingsStore.h"
#include "TestFolder.h"
#include "Twips.h"
#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>
#include <climits>

namespace {
const WindowGeometry geometry{"mdi0", 0, 0, 10000, 12000};

struct Stored {
    int left, top, height, width;
};

void store(SettingsStore& settings, const Stored& s)
{
    settings.saveInt("mdi0Left", s.left);
    settings.saveInt("mdi0Top", s.top);
    settings.saveInt("mdi0height", s.height);
    settings.saveInt("mdi0width", s.width);
}

Stored read(const SettingsStore& settings)
{
    return {settings.getInt("mdi0left", -1), settings.getInt("mdi0top", -1),
            settings.getInt("mdi0height", -1), settings.getInt("mdi0width", -1)};
}

QRect screensArea()
{
    QRect area;
    for (const QScreen* screen : QGuiApplication::screens())
        area |= screen->availableGeometry();
    return area;
}
} // namespace

Q_DECLARE_METATYPE(Stored)

class TestWindowGeometry : public QObject {
    Q_OBJECT
private slots:
    void twipsToPixels_data();
    void twipsToPixels();
    void saveAfterLoadKeepsTheNumbers_data();
    void saveAfterLoadKeepsTheNumbers();
    void movedWindowStoresItsFrame();
    void restoredGeometryFitsTheScreens_data();
    void restoredGeometryFitsTheScreens();
};

void TestWindowGeometry::twipsToPixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("10000") << 10000 << 667;
    QTest::newRow("7 rounds down") << 7 << 0;
    QTest::newRow("8 rounds up") << 8 << 1;
    QTest::newRow("-8") << -8 << -1;
    QTest::newRow("largest int") << INT_MAX << 143165576;
    QTest::newRow("smallest int") << INT_MIN << -143165577;
}

void TestWindowGeometry::twipsToPixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(Twips::toPixels(twips), pixels);
}

void TestWindowGeometry::saveAfterLoadKeepsTheNumbers_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::newRow("main window default") << Stored{0, 0, 10000, 12000};
    QTest::newRow("field window default") << Stored{1000, 5000, 2925, 10095};
    QTest::newRow("GPS window default") << Stored{8000, 1000, 5700, 2835};
    QTest::newRow("off the pixel grid") << Stored{7, 1013, 4001, 9999};
}

void TestWindowGeometry::saveAfterLoadKeepsTheNumbers()
{
    QFETCH(Stored, stored);
    TestFolder folder;
    SettingsStore settings(folder.file("settings.ini"));
    store(settings, stored);
    for (int round = 0; round < 2; ++round) {
        QWidget window;
        geometry.restore(&window, settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The stored values are the outer geometry, frame included.
        QCOMPARE(window.frameGeometry(),
                 QRect(Twips::toPixels(stored.left), Twips::toPixels(stored.top),
                       Twips::toPixels(stored.width), Twips::toPixels(stored.height)));
        QVERIFY(geometry.save(&window, settings));
        const Stored again = read(settings);
        QCOMPARE(again.left, stored.left);
        QCOMPARE(again.top, stored.top);
        QCOMPARE(again.height, stored.height);
        QCOMPARE(again.width, stored.width);
    }
}

void TestWindowGeometry::movedWindowStoresItsFrame()
{
    TestFolder folder;
    SettingsStore settings(folder.file("settings.ini"));
    QWidget window;
    geometry.restore(&window, settings);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.move(30, 45);
    window.resize(window.width() - 100, window.height() - 167);
    const QRect frame = window.frameGeometry();
    QVERIFY(geometry.save(&window, settings));
    const Stored saved = read(settings);
    QCOMPARE(saved.left, 450);
    QCOMPARE(saved.top, 675);
    QCOMPARE(saved.width, Twips::fromPixels(frame.width()));
    QCOMPARE(saved.height, Twips::fromPixels(frame.height()));
    QWidget next;
    geometry.restore(&next, settings);
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.frameGeometry(), frame);
}

void TestWindowGeometry::restoredGeometryFitsTheScreens_data()
{
    QTest::addColumn<Stored>("stored");
    QTest::newRow("largest width") << Stored{0, 0, 10000, INT_MAX};
    QTest::newRow("250 million twips") << Stored{0, 0, 250000000, 250000000};
    QTest::newRow("far right and down") << Stored{INT_MAX, INT_MAX, 3000, 3000};
    QTest::newRow("far left and up, no size") << Stored{INT_MIN, INT_MIN, INT_MIN, -5};
}

void TestWindowGeometry::restoredGeometryFitsTheScreens()
{
    QFETCH(Stored, stored);
    TestFolder folder;
    SettingsStore settings(folder.file("settings.ini"));
    store(settings, stored);
    QWidget window;
    geometry.restore(&window, settings);
    const QRect area = screensArea();
    QVERIFY(!area.isEmpty());
    const QRect frame = window.frameGeometry();
    QVERIFY2(area.contains(frame), qPrintable(QString("%1,%2 %3x%4")
                                                  .arg(frame.x())
                                                  .arg(frame.y())
                                                  .arg(frame.width())
                                                  .arg(frame.height())));
    QVERIFY(!frame.isEmpty());
}

QTEST_MAIN(TestWindowGeometry)
#include "tst_windowgeometry.moc"
