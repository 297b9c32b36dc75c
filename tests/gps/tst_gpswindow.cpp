#include "FieldWindow.h"
#include "GpsWindow.h"
#include "ShapeFixture.h"
#include "Twips.h"
#include "WindowProgram.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>

namespace {
QByteArray description(double area)
{
    return "t\r\nFlaeche [ha]:    " + QByteArray::number(area) + "\r\nUmfang [m]:      400\r\n" +
           "max. DOP:        2.5\r\n";
}

// Farms "Hof A" (plot u) and "Hof B", and a shapes folder with measurements
// M1 (area 1.5, measured 2026-05-10) and M2 (2.25, 2026-04-01), loaded by the
// main window.
struct Program : WindowProgram {
    explicit Program(bool farms = true)
    {
        if (farms) {
            ShapeFixture::writeSquare(folder.makeFolder("Hof A"), "u", 0, 0, 100);
            folder.makeFolder("Hof B");
        }
        const QString shapes = folder.makeFolder("shapes");
        const QList<std::tuple<QString, double, QDate>> measurements{
            {"M1", 1.5, QDate(2026, 5, 10)}, {"M2", 2.25, QDate(2026, 4, 1)}};
        for (const auto& [name, area, day] : measurements) {
            QFile file(ShapeFixture::writeSquare(shapes, name + "F", area * 10, 0, 100));
            file.open(QIODevice::ReadWrite);
            file.setFileTime(QDateTime(day, QTime(12, 0)), QFileDevice::FileModificationTime);
            folder.writeFile("shapes/" + name + ".DES", description(area));
        }
        start();
    }
    GpsWindow* gps() const { return window->gpsWindow(); }
    QTableView* grid() const { return gps()->findChild<QTableView*>("grdgpsdaten"); }
    QStringList column(int c) const { return columnTexts(grid(), c); }
    void click(int row, Qt::KeyboardModifiers keys = {})
    {
        clickCell(grid(), row, 0, keys);
        QTest::qWait(1);
    }
    void tool(const char* name) { gps()->findChild<QAction*>(name)->trigger(); }
    QStringList shown() const
    {
        QStringList texts;
        for (const Prompter::Shown& s : Prompter::instance().shown())
            if (s.kind == "message")
                texts << s.text;
        return texts;
    }
    int plots(const QString& farm) const
    {
        return value("select count(*) from schlagdaten where ordner = ?", {farm}).toInt();
    }
};
} // namespace

class TestGpsWindow : public QObject {
    Q_OBJECT
private slots:
    void listsAndSorts()
    {
        Program p;
        QCOMPARE(p.state.gpspfad, p.folder.file("shapes"));
        QCOMPARE(p.column(0), QStringList({"M1", "M2"}));
        QCOMPARE(p.column(1), QStringList({"10.05.2026", "01.04.2026"}));
        QCOMPARE(p.window->viewState().kartenanzeige, MapContent::Plots); // the plots of the first farm are drawn at start
        clickHeader(p.grid(), 1);
        QCOMPARE(p.column(0), QStringList({"M2", "M1"}));
        QVERIFY(p.grid()->selectionModel()->selectedRows().isEmpty());
        QVERIFY(Prompter::instance().shown().isEmpty());
    }

    void selectionDrawsInBlue()
    {
        Program p;
        p.click(0);
        QCOMPARE(p.staged(), QStringList({"M1.DBF", "M1.DES", "M1.SHP", "M1.SHX"}));
        QCOMPARE(p.area(), ha(1.5));
        QCOMPARE(p.window->viewState().kartenanzeige, MapContent::Measurements);
        p.click(1, Qt::ControlModifier);
        QCOMPARE(p.staged().size(), 8);
        QCOMPARE(p.area(), ha(3.75));
        // The field window takes the map back when the user turns to it.
        QTest::mouseClick(p.window->fieldWindow()->findChild<QLabel*>("captionbetriebe"),
                          Qt::LeftButton);
        QCOMPARE(p.window->viewState().kartenanzeige, MapContent::Plots);
        QCOMPARE(p.drawn(), QStringList{"u.SHP"});
        QVERIFY(p.staged().isEmpty());
    }

    void assign_data()
    {
        QTest::addColumn<bool>("farms");
        QTest::addColumn<int>("selectedFarms");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("message");
        QTest::newRow("into the current farm") << true << 1 << false << "";
        QTest::newRow("two farms: the current one") << true << 2 << false << "";
        QTest::newRow("no farm") << false << 0 << false << "kein Betrieb";
        QTest::newRow("three farms") << true << 3 << false << "zu viele Betriebe";
        QTest::newRow("again") << true << 1 << true << "bereits ein Schlag";
    }

    void assign()
    {
        QFETCH(bool, farms);
        QFETCH(int, selectedFarms);
        QFETCH(bool, twice);
        QFETCH(QString, message);
        Program p(farms);
        if (selectedFarms == 3)
            p.folder.makeFolder("Hof C"); // a third farm to choose
        if (selectedFarms >= 2) {
            p.window->fieldWindow()->betriebsdatenladen();
            auto* farmGrid = p.window->fieldWindow()->findChild<QTableView*>("grdbetriebe");
            farmGrid->selectAll();
        }
        p.click(0);
        QTest::mouseDClick(p.grid()->viewport(), Qt::LeftButton, {},
                           p.grid()->visualRect(p.grid()->model()->index(0, 0)).center());
        if (twice)
            p.tool("tb1uebernehmen");
        const bool done = message.isEmpty() || twice;
        QCOMPARE(p.plots("Hof A"), done ? 2 : (farms ? 1 : 0));
        QCOMPARE(QFileInfo::exists(p.folder.file("Hof A/M1.SHP")), done);
        QCOMPARE(p.shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(p.shown().first().contains(message), qPrintable(p.shown().first()));
        if (!done)
            return;
        // The new plot is listed with the farm's plots and drawn with them.
        QAbstractItemModel* plots =
            p.window->fieldWindow()->findChild<QTableView*>("grdschlagdaten")->model();
        QCOMPARE(
            plots->match(plots->index(0, 0), Qt::DisplayRole, "M1", -1, Qt::MatchExactly).size(),
            1);
        QCOMPARE(p.window->viewState().kartenanzeige, MapContent::Plots);
        QVERIFY(p.drawn().contains("M1.SHP", Qt::CaseInsensitive));
    }

    void deleteAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("yes") << int(QMessageBox::Yes) << QStringList{"M2"};
        QTest::newRow("no") << int(QMessageBox::No) << QStringList{"M1", "M2"};
    }

    void deleteAsks()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, left);
        Program p;
        p.click(0);
        Prompter::instance().setNextAnswer(answer);
        p.tool("tb1loeschen");
        QCOMPARE(p.column(0), left);
        QCOMPARE(QFileInfo::exists(p.folder.file("shapes/M1.DES")), left.contains("M1"));
        QVERIFY(!p.window->viewState().anzeigesperre);
        QVERIFY(p.shown().first().contains("M1"));
    }

    void chooseFolder_data()
    {
        QTest::addColumn<QString>("answer"); // relative to the program folder; "-" cancels
        QTest::addColumn<QString>("gpspfad");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("messages");
        QTest::newRow("cancelled") << "-"
                                   << "shapes" << QStringList{"M1", "M2"} << 0;
        QTest::newRow("case kept, slash dropped") << "Neue GPS/"
                                                  << "Neue GPS" << QStringList{"N"} << 0;
        QTest::newRow("no such folder") << "Fehlt"
                                        << "shapes" << QStringList{"M1", "M2"} << 1;
    }

    void chooseFolder()
    {
        QFETCH(QString, answer);
        QFETCH(QString, gpspfad);
        QFETCH(QStringList, rows);
        QFETCH(int, messages);
        Program p;
        const QString other = p.folder.makeFolder("Neue GPS");
        ShapeFixture::writeSquare(other, "NF", 0, 0, 100);
        p.folder.writeFile("Neue GPS/N.DES", description(3));
        Prompter::instance().setNextAnswer(answer == "-" ? QString() : p.folder.file(answer));
        p.window->findChild<QAction*>("mnueinstellunggpsdatenpfad")->trigger();
        // The browser opened on the folder read before.
        QCOMPARE(Prompter::instance().shown().value(0).text, p.folder.file("shapes"));
        QCOMPARE(p.state.gpspfad, p.folder.file(gpspfad));
        QCOMPARE(p.column(0), rows);
        QVERIFY2(p.shown().size() == messages, qPrintable(p.shown().join('|')));
    }

    void keepsItsLeastSize()
    {
        Program p;
        QCOMPARE(p.gps()->minimumSize(), QSize(Twips::toPixels(GpsWindow::fixedWidth),
                                               Twips::toPixels(GpsWindow::leastHeight)));
        QCOMPARE(p.window->gpsDock()->widget(), p.gps());
        QCOMPARE(p.gps()->findChild<QLabel*>("captiongpsdaten")->text(), QString("Messungen"));
    }
};

QTEST_MAIN(TestGpsWindow)
#include "tst_gpswindow.moc"
