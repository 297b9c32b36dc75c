#include "MainWindow.h"
#include "MapControl.h"
#include "ModalAnswer.h"
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
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
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
        if (!languageFile.isNull())
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
    template <typename T> T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) const { return child<QAction>(name); }
};

QColor pixelAt(const QImage& image, const QPoint& p)
{
    return image.pixelColor(p);
}
} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstStartGeometry();
    void languageFromFile_data();
    void languageFromFile();
    void languageDialogWithoutFile();
    void languageMenuRetranslates();
    void endEmptiesGpsAndSavesGeometry();
    void endWhileMinimisedKeepsStoredGeometry();
    void layoutFollowsResize();
    void mapShowsPlotColours();
    void damagedShapefileIsNamedOthersDrawn();
    void scaleBoxCutsAndApplies();
    void zoomLimitsAndScaleBox();
    void clickCentresWithoutChangingScaleBox();

private:
    QList<qint64> stageSquares(Program& p);
};

void TestMainWindow::init()
{
    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
}

void TestMainWindow::firstStartGeometry()
{
    Program p;
    MainWindow* w = p.load();
    QCOMPARE(w->pos(), QPoint(0, 0));
    QCOMPARE(w->frameGeometry().size(), QSize(800, 667)); // 12000 x 10000 twips
    QCOMPARE(p.state.eingabemodus, 1);
}

void TestMainWindow::languageFromFile_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entryTitle");
    QTest::newRow("German") << QByteArray("1\r\n") << 1 << "Eingabe"
                            << " - Eingabefehler";
    QTest::newRow("English") << QByteArray("2\r\n") << 2 << "File"
                             << " - Input error";
    QTest::newRow("12 reads as 1") << QByteArray("12\r\n") << 1 << "Eingabe"
                                   << " - Eingabefehler";
    QTest::newRow("Magyar") << QByteArray("5") << 5 << "Fájl"
                            << " - Beviteli hiba";
}

void TestMainWindow::languageFromFile()
{
    QFETCH(QByteArray, file);
    QFETCH(int, sprache);
    Program p(file);
    MainWindow* w = p.load();
    QCOMPARE(p.state.sprache, sprache);
    QTEST(p.child<QMenu>("mnuEingabe")->title(), "menu");
    QTEST(p.state.titeleingabefehler.mid(QString("Sorvan-GIS-Viewer").size()), "entryTitle");
    QCOMPARE(w->windowTitle(), QString(" Sorvan-GIS-Viewer"));
    // The file is rewritten at every start with the number in use.
    QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray::number(sprache) + "\r\n");
}

void TestMainWindow::languageDialogWithoutFile()
{
    Program p(QByteArray{});
    bool asked = false;
    whenModalShown([&](QDialog* dialog) {
        asked = true;
        dialog->findChild<QListWidget*>("lstsprachen")->setCurrentRow(3);
        QTest::mouseClick(dialog->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
    });
    p.load();
    QVERIFY(asked);
    QCOMPARE(p.state.sprache, 4);
    QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray("4\r\n"));
    QCOMPARE(p.child<QMenu>("mnuEingabe")->title(), QString("File"));
}

void TestMainWindow::languageMenuRetranslates()
{
    Program p;
    p.load();
    QCOMPARE(p.child<QMenu>("mnuEinstellung")->title(), QString("Einstellung"));
    p.action("mnueinstellungsprache2")->trigger();
    QCOMPARE(p.state.sprache, 2);
    QCOMPARE(p.child<QMenu>("mnuEinstellung")->title(), QString("Settings"));
    QCOMPARE(p.child<QLabel>("panflaeche")->text(), QString(" Area in ha:"));
    QCOMPARE(p.action("tb1ende")->toolTip(), QString("Close the program"));
    QCOMPARE(p.state.titelbedienungsfehler, QString("Sorvan-GIS-Viewer - Error"));
    QVERIFY(p.action("mnueinstellungsprache2")->isChecked());
    QVERIFY(!p.action("mnueinstellungsprache1")->isChecked());
    QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray("2\r\n"));
    p.action("mnueinstellungsprache3")->trigger();
    QCOMPARE(p.child<QMenu>("mnuhilfe")->title(), QString("Aide"));
}

void TestMainWindow::endEmptiesGpsAndSavesGeometry()
{
    Program p;
    QVERIFY(!p.database.addGps({"A", "20260514"}).isError());
    QVERIFY(!p.database.addGps({"B", "20260515"}).isError());
    MainWindow* w = p.load();
    w->move(30, 45);
    w->resize(700, 500);
    p.action("tb1ende")->trigger();
    QVERIFY(!w->isVisible());
    QCOMPARE(p.database.gpsCount(), 0);
    QCOMPARE(p.settings.getInt("mdi0left", -1), 450);
    QCOMPARE(p.settings.getInt("mdi0top", -1), 675);
    // The frame is stored; the test platform draws 2 pixels on each side.
    QCOMPARE(p.settings.getInt("mdi0width", -1), 10560);
    QCOMPARE(p.settings.getInt("mdi0height", -1), 7560);
    // The next start comes up where the window was.
    p.window.reset();
    MainWindow* again = p.load();
    QCOMPARE(again->pos(), QPoint(30, 45));
    QCOMPARE(again->size(), QSize(700, 500));
}

void TestMainWindow::endWhileMinimisedKeepsStoredGeometry()
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

void TestMainWindow::layoutFollowsResize()
{
    Program p;
    MainWindow* w = p.load();
    w->resize(900, 600);
    QTest::qWait(10);
    auto* picture = p.child<QWidget>("pichaupt");
    auto* map = p.child<MapControl>("tplhaupt");
    auto* scaleBox = p.child<QComboBox>("cbomassstab");
    auto* scaleLabel = p.child<QLabel>("panmassstab");
    auto* areaBox = p.child<QLineEdit>("txtflaeche");
    auto* areaLabel = p.child<QLabel>("panflaeche");
    QCOMPARE(map->geometry().topLeft(), QPoint(0, 19)); // 285 twips
    QCOMPARE(map->width(), picture->width() - 2);       // 30 twips
    QCOMPARE(map->geometry().bottom() + 1, picture->height() - 2);
    QCOMPARE(scaleBox->geometry().right() + 1, picture->width() - 1);
    QCOMPARE(scaleLabel->geometry().right() + 1, scaleBox->x());
    QCOMPARE(areaBox->geometry().right() + 1, scaleLabel->x());
    QCOMPARE(areaLabel->geometry().right(), areaBox->x());
    const QRect before = map->geometry();
    w->showMinimized();
    QTest::qWait(10);
    QCOMPARE(map->geometry(), before);
}

QList<qint64> TestMainWindow::stageSquares(Program& p)
{
    // Three plots side by side, staged as the map displays expect.
    const QString farm = p.folder.makeFolder("Hof A");
    ShapeFixture::writeSquare(farm, "w", 200, 0, 100);
    ShapeFixture::writeSquare(farm, "u", 0, 0, 100);
    ShapeFixture::writeSquare(farm, "v", 100, 0, 100);
    const QString staging = StagingFolder::path(p.folder.path());
    StagingFolder::prepare(staging);
    for (const char* base : {"w", "u", "v"})
        StagingFolder::copyShapefile(farm, base, staging);
    // Colours by ascending base name: u red, v green, w blue.
    return {255, 65280, 16711680};
}

void TestMainWindow::mapShowsPlotColours()
{
    Program p;
    MainWindow* w = p.load();
    const QList<qint64> colours = stageSquares(p);
    QVERIFY(w->displayLayers(StagingFolder::path(p.folder.path()), colours));
    QCOMPARE(p.state.ansichtnummer, 3);
    auto* map = p.child<MapControl>("tplhaupt");
    const QImage image = map->grab().toImage();
    auto centre = [&](double x, double y) {
        const double fx = (x - map->MinX()) / (map->MaxX() - map->MinX());
        const double fy = (map->MaxY() - y) / (map->MaxY() - map->MinY());
        return QPoint(int(fx * image.width()), int(fy * image.height()));
    };
    QCOMPARE(pixelAt(image, centre(50, 50)), QColor(255, 0, 0));
    QCOMPARE(pixelAt(image, centre(150, 50)), QColor(0, 255, 0));
    QCOMPARE(pixelAt(image, centre(250, 50)), QColor(0, 0, 255));
    QCOMPARE(pixelAt(image, centre(150, 95 + (map->MaxY() - 100) / 2 + 5)), QColor(Qt::white));
    const QString scaleText = p.child<QComboBox>("cbomassstab")->currentText();
    QCOMPARE(scaleText, QString::number(qRound64(map->Scale())));
    QVERIFY(map->Scale() > 0);
    QVERIFY(Prompter::instance().shown().isEmpty());
}

void TestMainWindow::damagedShapefileIsNamedOthersDrawn()
{
    Program p;
    MainWindow* w = p.load();
    const QList<qint64> colours = stageSquares(p);
    const QString staging = StagingFolder::path(p.folder.path());
    ShapeFixture::truncateFile(staging + "/v.SHP", 60);
    QVERIFY(w->displayLayers(staging, colours));
    QCOMPARE(p.child<MapControl>("tplhaupt")->document().viewCount(), 2);
    QCOMPARE(Prompter::instance().shown().size(), 1);
    const auto shown = Prompter::instance().shown().first();
    QVERIFY2(shown.text.contains("v.SHP"), qPrintable(shown.text));
    QCOMPARE(shown.title, p.state.titelbedienungsfehler);
}

void TestMainWindow::scaleBoxCutsAndApplies()
{
    Program p;
    MainWindow* w = p.load();
    w->displayLayers(StagingFolder::path(p.folder.path()), stageSquares(p));
    auto* box = p.child<QComboBox>("cbomassstab");
    QCOMPARE(box->count(), 8);
    QCOMPARE(box->itemText(5), QString("2880"));
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "123456789");
    QCOMPARE(box->currentText(), QString("1234567"));
    QCOMPARE(box->lineEdit()->cursorPosition(), 7);
    box->lineEdit()->setText("2500");
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    auto* map = p.child<MapControl>("tplhaupt");
    QCOMPARE(qRound(map->Scale()), 2500);
    box->setCurrentIndex(6);
    emit box->activated(6);
    QCOMPARE(qRound(map->Scale()), 5000);
}

void TestMainWindow::zoomLimitsAndScaleBox()
{
    Program p;
    MainWindow* w = p.load();
    w->displayLayers(StagingFolder::path(p.folder.path()), stageSquares(p));
    auto* map = p.child<MapControl>("tplhaupt");
    auto* box = p.child<QComboBox>("cbomassstab");
    w->massstabsetzen(1);
    p.action("tb1vergroessern")->trigger();
    QCOMPARE(qRound(map->Scale()), 1);
    w->massstabsetzen(9000000);
    p.action("tb1verkleinern")->trigger();
    QCOMPARE(qRound(map->Scale()), 9000000);
    w->massstabsetzen(8000000);
    p.action("tb1verkleinern")->trigger();
    QCOMPARE(qRound(map->Scale()), 10000000);
    QCOMPARE(box->currentText(), QString("10000000"));
    w->massstabsetzen(1000);
    p.action("tb1vergroessern")->trigger();
    QCOMPARE(qRound(map->Scale()), 800);
    // The tools have keys too.
    QApplication::setActiveWindow(w);
    QTest::keySequence(w, QKeySequence::ZoomOut);
    QCOMPARE(qRound(map->Scale()), 1000);
    p.action("tb1alles")->trigger();
    QCOMPARE(box->currentText(), QString::number(qRound64(map->Scale())));
}

void TestMainWindow::clickCentresWithoutChangingScaleBox()
{
    Program p;
    MainWindow* w = p.load();
    w->displayLayers(StagingFolder::path(p.folder.path()), stageSquares(p));
    auto* map = p.child<MapControl>("tplhaupt");
    auto* box = p.child<QComboBox>("cbomassstab");
    const QString scaleText = box->currentText();
    const double scale = map->Scale();
    const QPoint target(map->width() / 4, map->height() / 3);
    const double x = map->MinX() + (map->MaxX() - map->MinX()) * target.x() / map->width();
    const double centreBefore = (map->MinX() + map->MaxX()) / 2;
    QTest::mouseClick(map, Qt::RightButton, {}, target);
    QCOMPARE((map->MinX() + map->MaxX()) / 2, centreBefore);
    QTest::mouseClick(map, Qt::LeftButton, {}, target);
    QVERIFY(qAbs((map->MinX() + map->MaxX()) / 2 - x) < (map->MaxX() - map->MinX()) / 100);
    QCOMPARE(map->Scale(), scale);
    p.action("tb1links")->trigger();
    QCOMPARE(box->currentText(), scaleText);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
