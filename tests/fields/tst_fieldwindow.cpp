#include "FieldWindow.h"
#include "ModalAnswer.h"
#include "ShapeFixture.h"
#include "WindowProgram.h"

#include <QAction>
#include <QComboBox>
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
        QCOMPARE(p.area(), ha(3.75));
        QVERIFY(p.window->findChild<QComboBox*>("cbomassstab")->currentText().toInt() > 0);
        QCOMPARE((QList<int>{p.state.kartenanzeige, p.state.anzeigesperre}), (QList<int>{2, 0}));
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
        QTest::newRow("Kultur") << 5 << "Weizen" << QString("Weizen");
    }

    void editCell()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Program p;
        const QStringList fields{"", "Nummer", "Teil", "Name", "Erntejahr", "Kultur"};
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
        QTest::newRow("trimmed") << "  Meier Hof  " << QString();
        QTest::newRow("empty") << "  " << QString("Bitte einen Namen");
        QTest::newRow("exists in other case") << "hof a" << QString("bereits vorhanden");
        QTest::newRow("umlaut") << "Müller" << QString("nur Buchstaben");
        QTest::newRow("staging folder") << "Temp" << QString("kann nicht angelegt werden");
    }

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
        QVERIFY(QFileInfo(p.folder.file("Meier Hof")).isDir());
        QCOMPARE(p.farms()->model()->index(2, 0).data().toString(), QString("Meier Hof"));
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
        QCOMPARE(p.state.anzeigesperre, 0);
    }

    void windowBehaviour()
    {
        Program p;
        FieldWindow* w = p.fieldWindow();
        w->resize(60, 40); // smaller than the margins
        QVERIFY(p.fields()->height() >= 40 && p.fields()->width() >= 80);
        w->resize(700, 300);
        QCOMPARE(p.fields()->height(), w->frameGeometry().height() - 55); // 820 twips
        QApplication::setActiveWindow(w);
        QTest::keyClick(p.fields(), Qt::Key_F1);
        QVERIFY2(shown().last().text.contains("/schlagdaten.HTM"), qPrintable(shown().last().text));
        p.window->findChild<QAction*>("mnueinstellungsprache2")->trigger();
        QCOMPARE(w->findChild<QAction*>("tb2loeschen")->text(), QString("Delete boundary"));
        w->close();
        QCOMPARE(p.settings.getInt("schlagdatenwidth", 0), w->frameGeometry().width() * 15);
        p.window->findChild<QAction*>("mnuansichtschlagdaten")->trigger();
        QVERIFY(w->isVisible());
    }
};

QTEST_MAIN(TestFieldWindow)
#include "tst_fieldwindow.moc"
