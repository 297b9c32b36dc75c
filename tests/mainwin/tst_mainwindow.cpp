#include "FieldWindow.h"
#include "GpsWindow.h"
#include "MainWindow.h"
#include "MapControl.h"
#include "PrintDialog.h"
#include "ProgramFolderSetup.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {
// A program folder with its installation files and a main window over it.
struct Program {
    TestFolder folder;
    SettingsStore settings{folder.file("settings.ini")};
    TextCatalogue catalogue;
    ProjectDatabase database;
    ProgramState state;
    std::unique_ptr<MainWindow> window;

    explicit Program(const QByteArray& languageFile = "1\r\n")
    {
        ProgramFolderSetup::installMissingFiles(folder.path());
        folder.writeFile("SPRACHE.DAT", languageFile);
        state.programmpfad = folder.path();
        state.settings = &settings;
        catalogue.open(folder.path());
        state.catalogue = &catalogue;
        database.open(folder.path());
        state.database = &database;
    }
    MainWindow* load()
    {
        window = std::make_unique<MainWindow>(state);
        window->load();
        window->show();
        QTest::qWait(10);
        return window.get();
    }
    template <typename T = QAction> T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
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

    void languageFromFile()
    {
        Program p("5"); // Magyar, no line break
        MainWindow* w = p.load();
        QCOMPARE(p.state.sprache, 5);
        QCOMPARE(p.child<QMenu>("mnuEingabe")->title(), QString("Fájl"));
        QCOMPARE(p.state.titeleingabefehler, QString("Sorvan-GIS-Viewer - Beviteli hiba"));
        QCOMPARE(w->windowTitle(), QString(" Sorvan-GIS-Viewer"));
        // The file is written at every start with the number in use.
        QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray("5\r\n"));
    }

    // Each entry of the language menu retranslates the window, the entries
    // form one exclusive group with the current language checked, and the
    // status strip shows its labels in full in every language.
    void languageMenuRetranslates()
    {
        Program p;
        p.load();
        for (int to : {2, 3, 4, 5, 1, 1}) { // the last: the current language again
            QAction* entry = p.child(qPrintable(QString("mnueinstellungsprache%1").arg(to)));
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
            if (to == 2) {
                QCOMPARE(p.child<QMenu>("mnuEinstellung")->title(), QString("Settings"));
                QCOMPARE(p.child<QLabel>("panflaeche")->text(), QString(" Area in ha:"));
                QCOMPARE(p.child("tb1ende")->toolTip(), QString("Close the program"));
                QCOMPARE(p.state.titelbedienungsfehler, QString("Sorvan-GIS-Viewer - Error"));
                QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray("2\r\n"));
            } else if (to == 3) {
                QCOMPARE(p.child<QMenu>("mnuhilfe")->title(), QString("Aide"));
            }
        }
        QCOMPARE(p.child("mnueinstellungsprache1")->actionGroup()->actions().size(), 5);
    }

    void firstStartAndEnd()
    {
        Program p;
        QVERIFY(!p.database.addGps({"A", "20260514"}).isError());
        MainWindow* w = p.load();
        QCOMPARE(QRect(w->pos(), w->frameGeometry().size()),
                 QRect(0, 0, 800, 667)); // 12000 x 10000 twips
        QCOMPARE(p.state.eingabemodus, 1);
        // The end empties gpsdaten and stores the geometry for the next start.
        w->move(30, 45);
        w->resize(700, 500);
        QApplication::setActiveWindow(w);
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier); // tb1ende
        QVERIFY(!w->isVisible());
        QCOMPARE(p.database.gpsCount(), 0);
        QCOMPARE(p.settings.getInt("mdi0left", -1), 450);
        // The frame is stored; the test platform draws 2 pixels on each side.
        QCOMPARE(p.settings.getInt("mdi0height", -1), 7560);
        p.window.reset();
        w = p.load();
        QCOMPARE(QRect(w->pos(), w->size()), QRect(30, 45, 700, 500));
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
        p.showSquares();
        QCOMPARE(p.state.ansichtnummer, 3);
        auto* map = p.child<MapControl>("tplhaupt");
        const QImage image = map->grab().toImage();
        auto at = [&](double x, double y) {
            return image.pixelColor(map->document().viewport().toPixel(QPointF(x, y)).toPoint());
        };
        QCOMPARE(at(50, 50), QColor(255, 0, 0));
        QCOMPARE(at(150, 50), QColor(0, 255, 0));
        QCOMPARE(at(250, 50), QColor(0, 0, 255));
        QCOMPARE(at(150, 105), QColor(Qt::white));
        QCOMPARE(p.child<QComboBox>("cbomassstab")->currentText(),
                 QString::number(qRound64(map->Scale())));
        QVERIFY(Prompter::instance().shown().isEmpty());
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
    }
    // A switch from the menu re-captions the main, field and GPS windows at
    // once, grid headings and floating toolbars included; later messages
    // carry the new titles, a dialog opened later speaks the new language,
    // and the next start comes up in it.
    void switchReachesEveryWindow_data()
    {
        QTest::addColumn<int>("to");
        // Field and GPS window, area heading, GPS tool, print dialog, message title.
        QTest::addColumn<QString>("texts");
        QTest::newRow("English") << 2
                                 << " Farms and plots| GPS data|Area (ha)|Change GPS data "
                                    "folder| Print view|Sorvan-GIS-Viewer - Error";
        QTest::newRow("Magyar") << 5
                                << " Gazdaságok és táblák| GPS-adatok|Terület (ha)|GPS-mappa "
                                   "módosítása| Nézet nyomtatása|Sorvan-GIS-Viewer - Kezelési hiba";
        QTest::newRow("back to German") << 1
                                        << " Betriebe und Schläge| GPS-Daten|Fläche (ha)|GPS-"
                                           "Datenpfad ändern| Ansicht drucken|Sorvan-GIS-"
                                           "Viewer - Bedienungsfehler";
    }
    void switchReachesEveryWindow()
    {
        QFETCH(int, to);
        QFETCH(QString, texts);
        Program p(to == 1 ? "3\r\n" : "1\r\n");
        MainWindow* w = p.load();
        p.child(qPrintable(QString("mnueinstellungsprache%1").arg(to)))->trigger();
        GpsWindow* gps = w->gpsWindow();
        PrintDialog dialog(p.state, {}, w); // opened after the switch
        QFile::remove(p.folder.file("gpsdaten.HTM"));
        QTest::keyClick(gps, Qt::Key_F1); // a message about the missing page
        QCOMPARE((QStringList{w->fieldWindow()->windowTitle(), gps->windowTitle(),
                              w->fieldWindow()
                                  ->findChild<QTableView*>("grdschlagdaten")
                                  ->model()
                                  ->headerData(8, Qt::Horizontal)
                                  .toString(),
                              gps->findChild<QToolBar*>("mnu")->actions().at(0)->text(),
                              dialog.windowTitle(), Prompter::instance().shown().value(0).title}),
                 texts.split('|'));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
