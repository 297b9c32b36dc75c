#include "FieldWindow.h"
#include "GpsWindow.h"
#include "MainWindowFixture.h"
#include "MapControl.h"
#include "PrintDialog.h"
#include "Prompter.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QtTest>

namespace {
struct Program : MainWindowFixture {
    using MainWindowFixture::MainWindowFixture;
    // Three plots side by side staged and shown as the map displays them:
    // u red, v green, w blue (colours by ascending base name).
    void showSquares()
    {
        const QString farm = folder.makeFolder("Hof A");
        const QString staging = StagingFolder::path(folder.path());
        StagingFolder::prepare(staging);
        for (const QString base : {"w", "u", "v"}) {
            ShapeFixture::writeSquare(farm, base, QString("uvw").indexOf(base) * 100, 0, 100);
            StagingFolder::copyShapefile(farm, base, staging);
        }
        window->displayLayers(staging, {255, 65280, 16711680});
    }
};
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    // Each entry of the language menu switches the language, the entries
    // form one exclusive group with the current language checked, and the
    // status strip shows its labels in full in every language.
    void languageMenuSwitches()
    {
        Program p;
        p.load();
        for (int to : {2, 3, 4, 5, 1, 1}) { // the last: the current language again
            QAction* entry = p.child(QString("mnueinstellungsprache%1").arg(to));
            entry->trigger();
            QCOMPARE(p.state.sprache, to);
            QCOMPARE(entry->actionGroup()->checkedAction(), entry);
            QVERIFY(!p.child(to == 1 ? "mnueinstellungsprache2" : "mnueinstellungsprache1")
                         ->isChecked());
            for (const char* name : {"panflaeche", "panmassstab"}) {
                auto* label = p.child<QLabel>(name);
                const QFontMetrics metrics = label->fontMetrics();
                // A framed label indents its text by half an "x".
                const int needed =
                    metrics.horizontalAdvance(label->text()) + metrics.horizontalAdvance('x') / 2;
                QCOMPARE_GE(label->contentsRect().width(), needed);
            }
        }
    }

    // The first start fills the small test screen, the field and GPS windows
    // docked beside the map and not over it; the end stores the geometry and
    // the dock layout, which the next start brings back.
    void firstStartAndEnd()
    {
        Program p;
        QVERIFY(!p.database.addGps({"A", "20260514"}).isError());
        MainWindow* w = p.load();
        QVERIFY(w->isMaximized()); // the offscreen screen is below 1280 x 800
        QVERIFY(p.state.eingabemodus);
        auto* map = p.child<MapControl>("tplhaupt");
        const QRect mapArea(map->mapToGlobal(QPoint(0, 0)), map->size());
        for (QDockWidget* dock : {w->fieldDock(), w->gpsDock()}) {
            QVERIFY(dock->isVisible() && !dock->isFloating());
            QVERIFY(!mapArea.intersects(QRect(dock->mapToGlobal(QPoint(0, 0)), dock->size())));
        }
        QCOMPARE(w->dockWidgetArea(w->fieldDock()), Qt::BottomDockWidgetArea);
        QCOMPARE(w->dockWidgetArea(w->gpsDock()), Qt::RightDockWidgetArea);
        // The field window floats, the GPS window is closed from the menu.
        w->showNormal();
        w->move(30, 45);
        w->resize(700, 500);
        w->fieldDock()->setFloating(true);
        w->fieldDock()->setGeometry(100, 200, 400, 250);
        p.child("mnuansichtgpsdaten")->trigger();
        QVERIFY(w->gpsDock()->isHidden());
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier); // tb1ende
        QVERIFY(!w->isVisible());
        QCOMPARE(p.database.gpsCount(), 0);
        QCOMPARE(p.settings.getInt("mdi0left", -1), 450);
        // The frame is stored; the test platform draws 2 pixels on each side.
        QCOMPARE(p.settings.getInt("mdi0height", -1), 7560);
        p.window.reset();
        w = p.load();
        QVERIFY(!w->isMaximized());
        QCOMPARE(QRect(w->pos(), w->size()), QRect(30, 45, 700, 500));
        QVERIFY(w->fieldDock()->isFloating());
        QVERIFY(w->fieldDock()->isVisible());
        QCOMPARE(w->fieldDock()->geometry(), QRect(100, 200, 400, 250));
        QVERIFY(w->gpsDock()->isHidden());
        p.child("mnuansichtgpsdaten")->trigger(); // opens it again
        QVERIFY(w->gpsDock()->isVisible());
    }

    void endWhileMinimisedKeepsStoredGeometry()
    {
        Program p;
        p.settings.saveInt("mdi0left", 300);
        p.settings.saveInt("mdi0width", 9000);
        QVERIFY(!p.database.addGps({"A", "20260514"}).isError());
        MainWindow* w = p.load();
        w->showMinimized();
        QTRY_VERIFY(w->isMinimized());
        w->close();
        QCOMPARE(p.settings.getInt("mdi0left", -1), 300);
        QCOMPARE(p.settings.getInt("mdi0width", -1), 9000);
        QCOMPARE(p.database.gpsCount(), 0);
    }

    void layoutFollowsResize()
    {
        Program p;
        MainWindow* w = p.load();
        w->resize(900, 600);
        QTest::qWait(10);
        auto* picture = p.child<QWidget>("pichaupt");
        auto* map = p.child<MapControl>("tplhaupt");
        QCOMPARE(map->geometry().topLeft(), QPoint(0, 19)); // 285 twips
        QCOMPARE(map->width(), picture->width() - 2);       // 30 twips
        QCOMPARE(map->geometry().bottom() + 1, picture->height() - 2);
        QCOMPARE(p.child<QComboBox>("cbomassstab")->geometry().right() + 1, picture->width() - 1);
        const QRect before = map->geometry();
        w->showMinimized();
        QTest::qWait(10);
        QCOMPARE(map->geometry(), before);
    }

    void mapShowsPlotColours()
    {
        Program p;
        p.load();
        // An empty map is no picture: the user is told, nothing is asked.
        p.child("mnueingabekartenbild")->trigger();
        QCOMPARE(Prompter::instance().shown().size(), 1);
        QCOMPARE(Prompter::instance().shown().first().kind, QString("message"));
        Prompter::instance().clearShown();
        p.showSquares();
        QCOMPARE(p.state.ansichtnummer, 3);
        auto* map = p.child<MapControl>("tplhaupt");
        const QImage image = map->grab().toImage();
        auto at = [&](double x, double y) {
            return image.pixelColor(map->document().viewport().toPixel(QPointF(x, y)).toPoint());
        };
        QCOMPARE((QList<QColor>{at(50, 50), at(150, 50), at(250, 50), at(150, 105)}),
                 (QList<QColor>{Qt::red, Qt::green, Qt::blue, Qt::white}));
        QCOMPARE(p.child<QComboBox>("cbomassstab")->currentText(),
                 QString::number(qRound64(map->Scale())));
        QVERIFY(Prompter::instance().shown().isEmpty());
        // Saved as a picture (".png" added to the name), the map looks as on screen.
        Prompter::instance().setNextAnswer(p.folder.file("karte"));
        p.child("mnueingabekartenbild")->trigger();
        const QImage saved(p.folder.file("karte.png"));
        QCOMPARE(saved.size(), map->size());
        QCOMPARE(saved.pixelColor(map->document().viewport().toPixel(QPointF(150, 50)).toPoint()),
                 QColor(Qt::green));
        // Labels, switched in the Ansicht menu and remembered: dark letters in the plots.
        const auto letters = [&] {
            const QImage shown = map->grab().toImage();
            int dark = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    dark += qGray(shown.pixel(x, y)) < 32;
            return dark;
        };
        QCOMPARE(letters(), 0);
        QVERIFY(!p.child("mnuansichtbeschriftungflaeche")->isEnabled());
        p.child("mnuansichtbeschriftung")->trigger();
        QCOMPARE_GT(letters(), 20);
        QCOMPARE(p.settings.getInt("beschriftung", 0), 1);
        // The picture may be an SVG drawing as well.
        Prompter::instance().setNextAnswer(p.folder.file("karte.svg"));
        p.child("mnueingabekartenbild")->trigger();
        QVERIFY(p.folder.readFile("karte.svg").contains("<svg"));
        for (const auto& shown : Prompter::instance().shown())
            QCOMPARE_NE(shown.kind, QString("message"));
    }

    void damagedShapefileIsNamedOthersDrawn()
    {
        Program p;
        p.load();
        const QString staging = StagingFolder::path(p.folder.path());
        StagingFolder::prepare(staging);
        QFile(ShapeFixture::writeSquare(staging, "u", 0, 0, 100)).resize(60);
        ShapeFixture::writeSquare(staging, "v", 100, 0, 100);
        QVERIFY(p.window->displayLayers(staging, {255, 65280}));
        const QList<const MapView*> views = p.child<MapControl>("tplhaupt")->document().views();
        QCOMPARE(views.size(), 1);
        // The damaged first file does not shift the colour of the second.
        QCOMPARE(views.first()->colour(), 65280);
        QCOMPARE(Prompter::instance().shown().size(), 1);
        const auto shown = Prompter::instance().shown().first();
        QVERIFY2(shown.text.contains("u.SHP"), qPrintable(shown.text));
        QCOMPARE(shown.title, p.state.titelbedienungsfehler);
    }

    void navigation()
    {
        Program p;
        MainWindow* w = p.load();
        p.showSquares();
        auto* map = p.child<MapControl>("tplhaupt");
        auto* box = p.child<QComboBox>("cbomassstab");
        const auto type = [&](const char* text) {
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), text);
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            return qRound(map->Scale());
        };
        // At most seven digits can be typed; Enter applies them.
        QCOMPARE(type("123456789"), 1234567);
        QCOMPARE(box->currentText(), QString("1234567"));
        QCOMPARE(type("2500"), 2500);
        // Stepping through the list applies the scale picked.
        box->setCurrentIndex(5);
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(qRound(map->Scale()), box->itemText(6).toInt());
        // The zoom tools stop at the limits and show the new scale in the box.
        QCOMPARE(type("1"), 1);
        p.child("tb1vergroessern")->trigger();
        QCOMPARE(qRound(map->Scale()), 1);
        QCOMPARE(type("8000000"), 8000000);
        p.child("tb1verkleinern")->trigger();
        QCOMPARE(box->currentText(), QString("10000000"));
        QCOMPARE(type("1000"), 1000);
        p.child("tb1vergroessern")->trigger();
        QCOMPARE(box->currentText(), QString("800"));
        QApplication::setActiveWindow(w);
        QTest::keySequence(w, QKeySequence::ZoomOut);
        QCOMPARE(qRound(map->Scale()), 1000);

        // A scale that is no whole number of 1 or more is refused with a
        // message and the box shows the scale before; a scale at which no
        // plot is visible says so in the status bar.
        for (const char* refused : {"abc", "0", "-5", "2.5"}) {
            Prompter::instance().clearShown();
            QCOMPARE(type(refused), 1000);
            QCOMPARE(box->currentText(), QString("1000"));
            QCOMPARE(Prompter::instance().shown().size(), 1);
            QCOMPARE(Prompter::instance().shown().first().title, p.state.titeleingabefehler);
        }
        QVERIFY(w->statusBar()->currentMessage().isEmpty());
        map->SetExtent(5000, 5000, 5100, 5100);
        QCOMPARE(type("1000"), 1000);
        QVERIFY(w->statusBar()->currentMessage().contains("keine Fläche"));
        p.child("tb1alles")->trigger();
        QVERIFY(w->statusBar()->currentMessage().isEmpty());
        QCOMPARE(type("1000"), 1000);

        // A left click centres the map there, a right click does not; panning
        // keeps the scale.
        const QPoint target(map->width() / 4, map->height() / 3);
        const double x = map->MinX() + (map->MaxX() - map->MinX()) * target.x() / map->width();
        const double centreBefore = (map->MinX() + map->MaxX()) / 2;
        QTest::mouseClick(map, Qt::RightButton, {}, target);
        QCOMPARE((map->MinX() + map->MaxX()) / 2, centreBefore);
        QTest::mouseClick(map, Qt::LeftButton, {}, target);
        QVERIFY(qAbs((map->MinX() + map->MaxX()) / 2 - x) < (map->MaxX() - map->MinX()) / 100);
        p.child("tb1links")->trigger();
        QCOMPARE(qRound(map->Scale()), 1000);
        QCOMPARE(box->currentText(), QString("1000"));
        // The wheel zooms by the toolbar's step and the scale box follows.
        QWheelEvent notch(QPointF(target), map->mapToGlobal(QPointF(target)), {}, QPoint(0, 120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(map, &notch);
        QCOMPARE(box->currentText(), QString("800"));
        // A map shown whole follows a change of size; once zoomed or dragged, it stays.
        for (const bool drag : {false, true}) {
            p.child("tb1alles")->trigger();
            if (drag) {
                QTest::mousePress(map, Qt::LeftButton, {}, target);
                QTest::mouseMove(map, target + QPoint(40, 30));
                QTest::mouseRelease(map, Qt::LeftButton, {}, target + QPoint(40, 30));
            } else {
                QApplication::sendEvent(map, &notch);
            }
            const double centreX = (map->MinX() + map->MaxX()) / 2;
            const qint64 scale = qRound64(map->Scale());
            const QSize before = map->size();
            w->resize(w->size() + QSize(120, 80));
            QTRY_VERIFY(map->size() != before);
            QCOMPARE(qRound64(map->Scale()), scale);
            QCOMPARE((map->MinX() + map->MaxX()) / 2, centreX);
        }
    }
    // The language comes from SPRACHE.DAT at start, which is written back with
    // the number in use, or from the menu, which re-captions the main, field
    // and GPS windows at once, grid headings and floating toolbars included;
    // later messages carry the new titles and a dialog opened later speaks the
    // new language.
    void languageReachesEveryWindow_data()
    {
        QTest::addColumn<QByteArray>("file"); // SPRACHE.DAT at start
        QTest::addColumn<int>("to");          // the entry of the language menu, 0: none
        // SPRACHE.DAT after it; main window: title, three menus, area label,
        // end tool tip, input error title; field and GPS window, area heading,
        // GPS tool, print dialog, message title.
        QTest::addColumn<QString>("texts");
        QTest::newRow("Magyar from the file, no line break")
            << QByteArray("5") << 0
            << "5\r\n| Sorvan-GIS-Viewer|Fájl|Beállítások|Súgó| Terület (ha):|Kilépés a "
               "programból|Sorvan-GIS-Viewer - Beviteli hiba| Gazdaságok és táblák| GPS-adatok|"
               "Terület (ha)|GPS-mappa módosítása| Nézet nyomtatása|Sorvan-GIS-Viewer - Kezelési "
               "hiba";
        QTest::newRow("English")
            << QByteArray("1\r\n") << 2
            << "2\r\n| Sorvan-GIS-Viewer|File|Settings|Help| Area in ha:|Close the program|Sorvan-"
               "GIS-Viewer - Input error| Farms and plots| GPS data|Area (ha)|Change GPS data "
               "folder| Print view|Sorvan-GIS-Viewer - Error";
        QTest::newRow("back to German")
            << QByteArray("3\r\n") << 1
            << "1\r\n| Sorvan-GIS-Viewer|Eingabe|Einstellung|Hilfe| Fläche in ha:|Programm "
               "beenden|Sorvan-GIS-Viewer - Eingabefehler| Betriebe und Schläge| GPS-Daten|Fläche "
               "(ha)|GPS-Datenpfad ändern| Ansicht drucken|Sorvan-GIS-Viewer - Bedienungsfehler";
    }
    void languageReachesEveryWindow()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, to);
        QFETCH(QString, texts);
        Program p(file);
        MainWindow* w = p.load();
        if (to)
            p.child(QString("mnueinstellungsprache%1").arg(to))->trigger();
        GpsWindow* gps = w->gpsWindow();
        PrintDialog dialog(p.state, {}, w); // opened after the switch
        QFile::remove(p.folder.file("gpsdaten.HTM"));
        QTest::keyClick(gps, Qt::Key_F1); // a message about the missing page
        const QStringList shown{p.folder.readFile("SPRACHE.DAT"),
                                w->windowTitle(),
                                p.child<QMenu>("mnuEingabe")->title(),
                                p.child<QMenu>("mnuEinstellung")->title(),
                                p.child<QMenu>("mnuhilfe")->title(),
                                p.child<QLabel>("panflaeche")->text(),
                                p.child("tb1ende")->toolTip(),
                                p.state.titeleingabefehler,
                                w->fieldWindow()->windowTitle(),
                                gps->windowTitle(),
                                w->fieldWindow()
                                    ->findChild<QTableView*>("grdschlagdaten")
                                    ->model()
                                    ->headerData(8, Qt::Horizontal)
                                    .toString(),
                                gps->findChild<QToolBar*>("mnu")->actions().at(0)->text(),
                                dialog.windowTitle(),
                                Prompter::instance().shown().value(0).title};
        QCOMPARE(shown, texts.split('|'));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
