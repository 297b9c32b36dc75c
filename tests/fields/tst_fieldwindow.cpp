#include "FieldWindow.h"
#include "MapControl.h"
#include "ModalAnswer.h"
#include "ShapeFixture.h"
#include "WindowProgram.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {
// Farms "Hof A" (plots u, v) and "Hof B" (plot w) with their rows; the main
// window opens the field window over them.
struct Program : WindowProgram {
    Program()
    {
        ShapeFixture::writeSquare(folder.makeFolder("Hof A"), "u", 0, 0, 100);
        ShapeFixture::writeSquare(folder.file("Hof A"), "v", 100, 0, 100);
        ShapeFixture::writeSquare(folder.makeFolder("Hof B"), "w", 0, 200, 100);
        database.addPlot({"u", "Hof A", "Nord", 2, 0, 2026, {}, {}, 255, 1.5, 400, 1.2, 0});
        database.addPlot({"v", "Hof A", "Sued", 1, 0, 2026, {}, {}, 65280, 2.25, 400, 1.4, 0});
        database.addPlot({"w", "Hof B", "West", 3, 0, 2026, {}, {}, 0, 1000, 400, 2, 0});
        start();
    }
    FieldWindow* fieldWindow() const { return window->fieldWindow(); }
    QTableView* farms() const { return fieldWindow()->findChild<QTableView*>("grdbetriebe"); }
    QTableView* fields() const { return fieldWindow()->findChild<QTableView*>("grdschlagdaten"); }
    QStringList column(int c) const { return columnTexts(fields(), c); }
    void tool(const char* name) const { fieldWindow()->findChild<QAction*>(name)->trigger(); }
};

// Types text key by key, letters beyond ASCII too.
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, Qt::NoModifier);
}

const QList<Prompter::Shown>& shown()
{
    return Prompter::instance().shown();
}
} // namespace

class TestFieldWindow : public QObject {
    Q_OBJECT
private slots:
    void startDrawsFirstFarm()
    {
        Program p;
        QCOMPARE(p.column(0), QStringList({"u", "v"}));
        QCOMPARE(p.column(8), QStringList({ha(1.5), ha(2.25)}));
        QCOMPARE(p.column(2), QStringList({"", ""})); // Teil 0 shows empty
        QCOMPARE(p.drawn(), QStringList({"v.SHP", "u.SHP"}));
        QVERIFY(p.staged().isEmpty()); // the map reads the farm folders
        // Stored 1.5 ha against 1 ha of geometry: the cell says so.
        QCOMPARE(p.fields()->model()->index(0, 8).data(Qt::ToolTipRole).toString(),
                 "Fläche aus der Geometrie: " + ha(1) + " ha");
        QCOMPARE(p.area(), ha(3.75));
        QVERIFY(p.window->findChild<QComboBox*>("cbomassstab")->currentText().toInt() > 0);
        QCOMPARE(p.window->viewState().kartenanzeige, MapContent::Plots);
        QVERIFY(!p.window->viewState().anzeigesperre);
        QVERIFY(shown().isEmpty());
    }

    void farmsSingleAndMultiple()
    {
        Program p;
        clickCell(p.farms(), 1);
        QCOMPARE(p.column(0), QStringList{"w"});
        QCOMPARE(p.area(), ha(1000));
        clickCell(p.farms(), 0, 0, Qt::ControlModifier);
        QCOMPARE(p.column(0), QStringList({"u", "v", "w"}));
        QCOMPARE(p.area(), ha(1003.75));
        QCOMPARE(p.drawn().size(), 3);
        clickCell(p.fields(), 1, 3); // picking one plot draws it alone
        QCOMPARE(p.area(), ha(2.25));
        QCOMPARE(p.drawn(), QStringList{"v.SHP"});
        // A header click sorts; a farm click resets to file-name order and
        // draws once.
        clickHeader(p.fields(), 1);
        QCOMPARE(p.column(0), QStringList({"v", "u", "w"}));
        const qint64 openings = p.map().document().openings();
        clickCell(p.farms(), 0);
        QCOMPARE(p.column(0), QStringList({"u", "v"}));
        QCOMPARE(p.map().document().openings(), openings + 1);
    }

    void editCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("Nummer 12a refused") << 1 << "12a" << QString("2");
        QTest::newRow("Nummer 17") << 1 << "17" << QString("17");
        QTest::newRow("Name") << 3 << "Nordkoppel" << QString("Nordkoppel");
        QTest::newRow("Kultur") << 5 << "Weizen" << QString("Weizen");
        QTest::newRow("Flaeche") << 8 << "2.5" << QString("2.5");
        QTest::newRow("Umfang") << 9 << "123" << QString("123");
        QTest::newRow("maxDOP") << 10 << "3.5" << QString("3.5");
    }

    void editCell()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Program p;
        const QStringList fields{"",       "Nummer", "Teil",    "Name",   "Erntejahr", "Kultur",
                                 "Anmerkung", "Farbe", "Flaeche", "Umfang", "maxDOP"};
        QTableView* grid = p.fields();
        grid->setCurrentIndex(grid->model()->index(0, column));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->selectAll();
        type(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(10); // the grid stores the entry queued
        QCOMPARE(p.value("select " + fields.at(column) + " from schlagdaten where dateiname = 'u'")
                     .toString(),
                 stored);
        QCOMPARE(grid->model()->index(0, column).data(Qt::EditRole).toString(), stored);
        if (column == 8) // the area box follows at once (u alone is chosen now)
            QCOMPARE(p.area(), ha(2.5));
        if (column == 3) { // and the plot's label
            const auto texts = p.map().labels().texts;
            QCOMPARE(texts.size(), 1);
            QCOMPARE(texts.begin()->name, stored);
        }
        const bool refused = stored != typed;
        QCOMPARE(shown().size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(shown().first().title, p.state.titeleingabefehler);
    }

    void colourButton()
    {
        Program p;
        QTableView* grid = p.fields();
        grid->setCurrentIndex(grid->model()->index(0, 7));
        QTest::keyClick(grid, Qt::Key_F2);
        Prompter::instance().setNextAnswer(QColor(0, 0, 255));
        auto* button = grid->findChild<QToolButton*>("cmdfarbe");
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(p.value("select Farbe from schlagdaten where dateiname = 'u'").toInt(), 16711680);
        QCOMPARE(grid->model()->index(0, 7).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(0, 0, 255));
    }

    void newFarm_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty when created
        QTest::newRow("umlaut and punctuation") << "Müller & Söhne (Nord)" << QString();
        QTest::newRow("empty") << "  " << QString("Bitte einen Namen");
        QTest::newRow("blanks around") << "  Meier Hof  " << QString("Leerzeichen oder Punkt");
        QTest::newRow("exists in other case") << "hof a" << QString("bereits vorhanden");
        QTest::newRow("slash") << "Hof/1" << QString("Schrägstrich");
        QTest::newRow("staging folder") << "Temp" << QString("„Temp“ ist ein Ordner des Programms");
    }

    // A name as farmers write it becomes a farm, chosen and shown at once;
    // a refused one says why and creates nothing.
    void newFarm()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        Program p;
        whenModalShown([typed](QDialog* dialog) {
            type(dialog->findChild<QLineEdit*>("txtname"), typed);
            QTest::mouseClick(dialog->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
            if (dialog->isVisible()) // refused: the dialog stays open
                QTest::keyClick(dialog, Qt::Key_Escape);
        });
        p.tool("tb1neu");
        QCOMPARE(shown().size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(shown().first().text.contains(message), qPrintable(shown().first().text));
            QCOMPARE(p.farms()->model()->rowCount(), 2);
            return;
        }
        QVERIFY(QFileInfo(p.folder.file(typed)).isDir());
        QCOMPARE(p.fieldWindow()->currentFarm(), typed);
        QCOMPARE(p.fieldWindow()->selectedFarmCount(), 1);
        QCOMPARE(p.fields()->model()->rowCount(), 0);
    }

    // Deleting a farm: refused while it holds a sub-folder, the map drawn
    // again; done once it is gone, both grids and the map following.
    void deleteFarm()
    {
        Program p;
        p.folder.makeFolder("Hof A/Unter");
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.tool("tb1loeschen");
        QCOMPARE(shown().size(), 2); // question, then why not
        QVERIFY(shown().last().text.contains("Unterordner"));
        QCOMPARE(p.drawn().size(), 2);

        QDir(p.folder.file("Hof A/Unter")).removeRecursively();
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.tool("tb1loeschen");
        QVERIFY(!QFileInfo::exists(p.folder.file("Hof A")));
        QCOMPARE(p.farms()->model()->rowCount(), 1);
        QCOMPARE(p.column(0), QStringList{"w"});
        QCOMPARE(p.area(), ha(1000));
    }

    void deleteSelectedPlots()
    {
        Program p;
        p.fields()->selectAll();
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.tool("tb2loeschen");
        QCOMPARE(shown().size(), 1);
        QVERIFY(shown().first().text.contains(" 2 "));
        QCOMPARE(QDir(p.folder.file("Hof A")).entryList(QDir::Files).size(), 0);
        QCOMPARE(p.fields()->model()->rowCount(), 0);
        QVERIFY(!p.window->viewState().anzeigesperre);
    }

    // The window in its dock keeps its own keys and follows the language;
    // the Ansicht menu closes and opens it; its grids have captions.
    void windowBehaviour()
    {
        Program p;
        FieldWindow* w = p.fieldWindow();
        QDockWidget* dock = p.window->fieldDock();
        QCOMPARE(dock->widget(), w);
        QCOMPARE(dock->windowTitle(), QString("Betriebe und Schläge"));
        QCOMPARE(w->findChild<QLabel*>("captionschlagdaten")->text(), QString("Flächen"));
        QCOMPARE(p.farms()->model()->index(0, 0).data(Qt::ToolTipRole).toString(),
                 QString("Hof A"));
        QApplication::setActiveWindow(p.window.get());
        QTest::keyClick(p.fields(), Qt::Key_F1);
        QCOMPARE(shown().size(), 1);
        QVERIFY2(shown().last().text.contains("/schlagdaten.HTM"), qPrintable(shown().last().text));
        p.window->findChild<QAction*>("mnueinstellungsprache2")->trigger();
        QCOMPARE(w->findChild<QAction*>("tb2loeschen")->text(), QString("Delete boundary"));
        QCOMPARE(dock->windowTitle(), QString("Farms and plots"));
        QCOMPARE(w->findChild<QLabel*>("captionbetriebe")->text(), QString("Farm/folder"));
        QAction* entry = p.window->findChild<QAction*>("mnuansichtschlagdaten");
        entry->trigger();
        QVERIFY(dock->isHidden());
        entry->trigger();
        QVERIFY(dock->isVisible());
        QCOMPARE(p.column(0), QStringList({"u", "v"})); // loaded again
    }

    // Farm folders copied in while the program runs join the list when the
    // user turns to the window (the farms chosen stay chosen) or on F5.
    void newFoldersTakenUp()
    {
        Program p;
        p.folder.makeFolder("Hof C");
        auto* caption = p.fieldWindow()->findChild<QLabel*>("captionbetriebe");
        QTest::mouseClick(p.window->map(), Qt::RightButton); // elsewhere first
        QTest::mouseClick(caption, Qt::LeftButton);
        QCOMPARE(columnTexts(p.farms(), 0), QStringList({"Hof A", "Hof B", "Hof C"}));
        QCOMPARE(p.fieldWindow()->currentFarm(), QString("Hof A"));
        QCOMPARE(p.column(0), QStringList({"u", "v"}));
        ShapeFixture::writeSquare(p.folder.makeFolder("Hof D"), "z", 0, 0, 10);
        ShapeFixture::writeSquare(p.folder.file("Hof A"), "x", 300, 0, 10);
        QApplication::setActiveWindow(p.window.get());
        QTest::keyClick(p.window.get(), Qt::Key_F5);
        QCOMPARE(p.farms()->model()->rowCount(), 4);
        QCOMPARE(p.column(0), QStringList({"u", "v", "x"}));
        QVERIFY(shown().isEmpty());
    }

    // A failing redraw: its message comes with the normal pointer, and the
    // redraw the window runs when the user turns to it reports a failure
    // once, not at every turn.
    void failedRedrawTellsOnce()
    {
        Program p;
        QDir(p.folder.file("temp")).removeRecursively();
        p.folder.writeFile("temp", "a file where the staging folder belongs");
        // The map shows measurements.
        p.window->viewState().kartenanzeige = MapContent::Measurements;
        auto* caption = p.fieldWindow()->findChild<QLabel*>("captionschlagdaten");
        for (int turn = 0; turn < 3; ++turn) {
            QTest::mouseClick(p.window->map(), Qt::RightButton);
            QTest::mouseClick(caption, Qt::LeftButton);
        }
        QCOMPARE(shown().size(), 1);
        QVERIFY(!shown().first().underWaitPointer);
        QVERIFY(!QGuiApplication::overrideCursor());
        clickCell(p.farms(), 1); // a redraw the user asks for tells again
        QVERIFY(shown().size() > 1);
        QVERIFY(!shown().last().underWaitPointer);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void findNarrows_data()
    {
        for (const char* text : {"field", "typed"})
            QTest::addColumn<QString>(text);
        for (const char* list : {"farms", "plots", "drawn"})
            QTest::addColumn<QStringList>(list);
        const QStringList both{"Hof A", "Hof B"};
        QTest::newRow("farm, ignoring case") << "txtsuchebetriebe" << "hof" << both
                                             << QStringList{"u", "v"}
                                             << QStringList{"v.SHP", "u.SHP"};
        QTest::newRow("farm hides the chosen one") << "txtsuchebetriebe" << "B"
                                                   << QStringList{"Hof B"} << QStringList{"w"}
                                                   << QStringList{"w.SHP"};
        QTest::newRow("plot by name") << "txtsucheschlaege" << "SÜD" << both << QStringList{"v"}
                                      << QStringList{"v.SHP"};
        QTest::newRow("plot by number") << "txtsucheschlaege" << "2" << both << QStringList{"u"}
                                        << QStringList{"u.SHP"};
        QTest::newRow("plot by crop") << "txtsucheschlaege" << "raps" << both << QStringList{"v"}
                                      << QStringList{"v.SHP"};
        QTest::newRow("nothing found") << "txtsucheschlaege" << "x" << both << QStringList{}
                                       << QStringList{};
    }

    void findNarrows()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        Program p;
        p.value("update schlagdaten set Name = 'Süd', Kultur = 'Winterraps' where dateiname = 'v'");
        p.window->findChild<QAction*>("mnuansichtaktualisieren")->trigger();
        // Ctrl+F goes to the find field of the grid in use.
        QTableView* grid = field == "txtsuchebetriebe" ? p.farms() : p.fields();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F, Qt::ControlModifier);
        auto* find = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(find);
        QCOMPARE(find->objectName(), field);
        type(find, typed);
        QTEST(columnTexts(p.farms(), 0), "farms");
        QTEST(p.column(0), "plots");
        QTEST(p.drawn(), "drawn");
        if (p.drawn().isEmpty())
            QCOMPARE(p.area(), ha(0));
        QTest::keyClick(find, Qt::Key_Escape); // shows every row again
        QCOMPARE(columnTexts(p.farms(), 0).size(), 2);
        QVERIFY(shown().isEmpty());
    }

    // Typing on hides the farm the previous letter left chosen as well: the
    // plots listed and drawn are still those of the chosen farms.
    void findTypedOn()
    {
        Program p;
        ShapeFixture::writeSquare(p.folder.makeFolder("Hof BC"), "z", 0, 400, 100);
        p.window->findChild<QAction*>("mnuansichtaktualisieren")->trigger();
        auto* find = p.fieldWindow()->findChild<QLineEdit*>("txtsuchebetriebe");
        type(find, "b");
        QCOMPARE(p.column(0), QStringList{"w"});
        type(find, "c");
        QCOMPARE(columnTexts(p.farms(), 0), QStringList{"Hof BC"});
        QCOMPARE(p.fieldWindow()->selectedFarmCount(), 1);
        QCOMPARE(p.column(0), QStringList{"z"});
        QCOMPARE(p.drawn(), QStringList{"z.SHP"});
    }

    void editThroughFind()
    {
        Program p;
        auto* find = p.fieldWindow()->findChild<QLineEdit*>("txtsucheschlaege");
        type(find, "sued");
        QCOMPARE(p.column(0), QStringList{"v"});
        QTableView* grid = p.fields();
        grid->setCurrentIndex(grid->model()->index(0, 5));
        QTest::keyClick(grid, Qt::Key_F2);
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        type(editor, "Hafer");
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(10);
        QCOMPARE(p.value("select group_concat(dateiname || '=' || Kultur) from schlagdaten "
                         "where Kultur <> ''")
                     .toString(),
                 "v=Hafer");
    }
};

QTEST_MAIN(TestFieldWindow)
#include "tst_fieldwindow.moc"
