#include "FieldWindow.h"
#include "MainWindow.h"
#include "MapControl.h"
#include "ModalAnswer.h"
#include "ProgramFolderSetup.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "ShapeFixture.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace {
// A program folder with farms "Hof A" (plots u, v) and "Hof B" (plot w) and
// the main window loaded over it, which opens the field window.
struct Program {
    TestFolder folder;
    SettingsStore settings{folder.file("settings.ini")};
    TextCatalogue catalogue;
    ProjectDatabase database;
    ProgramState state;
    std::unique_ptr<MainWindow> window;

    Program()
    {
        ProgramFolderSetup::installMissingFiles(folder.path());
        folder.writeFile("SPRACHE.DAT", "1\r\n");
        ShapeFixture::writeSquare(folder.makeFolder("Hof A"), "u", 0, 0, 100);
        ShapeFixture::writeSquare(folder.file("Hof A"), "v", 100, 0, 100);
        ShapeFixture::writeSquare(folder.makeFolder("Hof B"), "w", 0, 200, 100);
        state.programmpfad = folder.path();
        state.settings = &settings;
        catalogue.open(folder.path());
        state.catalogue = &catalogue;
        database.open(folder.path());
        state.database = &database;
        database.addPlot({"u", "Hof A", "Nord", 2, 0, 2026, {}, {}, 255, 1.5, 400, 1.2, 0});
        database.addPlot({"v", "Hof A", "Sued", 1, 0, 2026, {}, {}, 65280, 2.25, 400, 1.4, 0});
        database.addPlot({"w", "Hof B", "West", 3, 0, 2026, {}, {}, 0, 1000, 400, 2, 0});
        window = std::make_unique<MainWindow>(state);
        window->load();
        window->show();
        QTest::qWait(10);
    }
    template <typename T> T* child(const char* name) const
    {
        return window->fieldWindow()->findChild<T*>(name);
    }
    QTableView* farms() const { return child<QTableView>("grdbetriebe"); }
    QTableView* fields() const { return child<QTableView>("grdschlagdaten"); }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < fields()->model()->rowCount(); ++row)
            texts << fields()->model()->index(row, c).data().toString();
        return texts;
    }
    QString area() const { return window->findChild<QLineEdit*>("txtflaeche")->text(); }
    QStringList staged() const { return QDir(folder.file("temp")).entryList({"*.SHP"}); }
    void clickFarm(int row, Qt::KeyboardModifiers keys = {})
    {
        const QRect cell = farms()->visualRect(farms()->model()->index(row, 0));
        QTest::mouseClick(farms()->viewport(), Qt::LeftButton, keys, cell.center());
    }
    QVariant stored(const QString& sql) const
    {
        QSqlQuery query(database.database());
        query.exec(sql);
        return query.next() ? query.value(0) : QVariant();
    }
};

// Types text key by key, letters beyond ASCII too.
void type(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, c, Qt::NoModifier);
}

QString ha(double value)
{
    return QLocale().toString(value, 'f', 4);
}
} // namespace

class TestFieldWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    void startDrawsFirstFarm()
    {
        Program p;
        QCOMPARE(p.column(0), QStringList({"u", "v"}));
        QCOMPARE(p.column(8), QStringList({ha(1.5), ha(2.25)}));
        QCOMPARE(p.column(2), QStringList({"", ""})); // Teil 0 shows empty
        QCOMPARE(p.staged().size(), 2);
        QCOMPARE(p.area(), ha(3.75));
        QVERIFY(p.window->findChild<QComboBox*>("cbomassstab")->currentText().toInt() > 0);
        QCOMPARE(p.state.kartenanzeige, 2);
        QCOMPARE(p.state.anzeigesperre, 0);
        QCOMPARE(p.window->fieldWindow()->windowTitle(), QString(" Betriebe und Schläge"));
        QVERIFY(Prompter::instance().shown().isEmpty());
    }

    void farmsSingleAndMultiple()
    {
        Program p;
        p.clickFarm(1);
        QCOMPARE(p.column(0), QStringList{"w"});
        QCOMPARE(p.area(), ha(1000));
        p.clickFarm(0, Qt::ControlModifier);
        QCOMPARE(p.column(0), QStringList({"u", "v", "w"}));
        QCOMPARE(p.area(), ha(1003.75));
        QCOMPARE(p.staged().size(), 3);
        // Picking one plot draws it alone.
        const QRect cell = p.fields()->visualRect(p.fields()->model()->index(1, 3));
        QTest::mouseClick(p.fields()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(p.area(), ha(2.25));
        QCOMPARE(p.staged().size(), 1);
        // A header click sorts; a farm click resets to file-name order.
        QTest::mouseClick(
            p.fields()->horizontalHeader()->viewport(), Qt::LeftButton, {},
            QPoint(p.fields()->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
        QCOMPARE(p.column(0), QStringList({"v", "u", "w"}));
        p.clickFarm(0);
        QCOMPARE(p.column(0), QStringList({"u", "v"}));
    }

    void editCell_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("Nummer 12a refused") << 1 << "12a" << QVariant(2);
        QTest::newRow("Nummer 17") << 1 << "17" << QVariant(17);
        QTest::newRow("Teil 1000 refused") << 2 << "1000" << QVariant(0);
        QTest::newRow("Kultur") << 5 << "Weizen" << QVariant("Weizen");
    }

    void editCell()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QVariant, stored);
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
        QCOMPARE(p.stored("select " + fields.at(column) + " from schlagdaten where dateiname = 'u'")
                     .toString(),
                 stored.toString());
        QCOMPARE(grid->model()->index(0, column).data(Qt::EditRole).toString(), stored.toString());
        const bool refused = stored.toString() != typed;
        QCOMPARE(Prompter::instance().shown().size(), refused ? 1 : 0);
        if (refused)
            QCOMPARE(Prompter::instance().shown().first().title, p.state.titeleingabefehler);
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
        QCOMPARE(p.stored("select Farbe from schlagdaten where dateiname = 'u'").toInt(), 16711680);
        QCOMPARE(grid->model()->index(0, 7).data(Qt::BackgroundRole).value<QColor>(),
                 QColor(0, 0, 255));
    }

    void newFarm_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // "" when created
        QTest::newRow("trimmed") << "  Meier Hof  "
                                 << "";
        QTest::newRow("empty") << "  "
                               << "Bitte einen Namen";
        QTest::newRow("exists in other case") << "hof a"
                                              << "bereits vorhanden";
        QTest::newRow("umlaut") << "Müller"
                                << "nur Buchstaben";
        QTest::newRow("staging folder") << "Temp"
                                        << "kann nicht angelegt werden";
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
        p.window->fieldWindow()->findChild<QAction*>("tb1neu")->trigger();
        const auto shown = Prompter::instance().shown();
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QVERIFY2(shown.first().text.contains(message), qPrintable(shown.first().text));
            QCOMPARE(p.farms()->model()->rowCount(), 2);
            return;
        }
        QVERIFY(QFileInfo(p.folder.file("Meier Hof")).isDir());
        QCOMPARE(p.farms()->model()->index(2, 0).data().toString(), QString("Meier Hof"));
    }

    void deleteFarm()
    {
        Program p;
        p.folder.makeFolder("Hof A/Unter");
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.window->fieldWindow()->findChild<QAction*>("tb1loeschen")->trigger();
        QCOMPARE(Prompter::instance().shown().size(), 2); // question, then why not
        QVERIFY(Prompter::instance().shown().last().text.contains("Unterordner"));
        QCOMPARE(QDir(p.folder.file("Hof A")).entryList({"*.SHP"}).size(), 2);
        QCOMPARE(p.staged().size(), 2); // the map shows the plots again

        QDir(p.folder.file("Hof A/Unter")).removeRecursively();
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.window->fieldWindow()->findChild<QAction*>("tb1loeschen")->trigger();
        QVERIFY(!QFileInfo::exists(p.folder.file("Hof A")));
        QCOMPARE(p.stored("select count(*) from schlagdaten").toInt(), 1);
        QCOMPARE(p.farms()->model()->rowCount(), 1);
        QCOMPARE(p.column(0), QStringList{"w"});
        QCOMPARE(p.area(), ha(1000));
    }

    void deleteSelectedPlots()
    {
        Program p;
        p.fields()->selectAll();
        Prompter::instance().setNextAnswer(QMessageBox::Yes);
        p.window->fieldWindow()->findChild<QAction*>("tb2loeschen")->trigger();
        QCOMPARE(Prompter::instance().shown().size(), 1);
        QVERIFY(Prompter::instance().shown().first().text.contains(" 2 "));
        QCOMPARE(QDir(p.folder.file("Hof A")).entryList(QDir::Files).size(), 0);
        QCOMPARE(p.stored("select count(*) from schlagdaten").toInt(), 1);
        QCOMPARE(p.fields()->model()->rowCount(), 0);
        QCOMPARE(p.state.anzeigesperre, 0);
    }

    void windowBehaviour()
    {
        Program p;
        FieldWindow* w = p.window->fieldWindow();
        w->resize(60, 40); // smaller than the margins
        QVERIFY(p.fields()->height() >= 40 && p.fields()->width() >= 80);
        w->resize(700, 300);
        QCOMPARE(p.fields()->height(), w->frameGeometry().height() - 55); // 820 twips
        QApplication::setActiveWindow(w);
        QTest::keyClick(p.fields(), Qt::Key_F1);
        QVERIFY2(Prompter::instance().shown().last().text.contains("/schlagdaten.HTM"),
                 qPrintable(Prompter::instance().shown().last().text));
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
