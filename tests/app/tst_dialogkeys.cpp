// Keys in a real dialog: Enter, Esc and F1 through the window's key handling,
// also for controls built after the handling was installed.
#include "FormBehaviour.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A dialog like the new farm dialog: a text box, OK and Cancel.
struct FarmDialog {
    QDialog window;
    QLineEdit* name;
    QPushButton* ok;
    QPushButton* cancel;
    explicit FarmDialog(const ProgramState& state)
    {
        window.setObjectName("Betriebeneu");
        auto* layout = new QVBoxLayout(&window);
        name = new QLineEdit(&window);
        name->setObjectName("txtname");
        cancel = new QPushButton("Abbrechen", &window);
        ok = new QPushButton("OK", &window);
        layout->addWidget(name);
        layout->addWidget(cancel);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
        QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
        new FormKeyHandler(&window, state, "Betrieb neu.HTM", cancel, ok);
    }
    void open()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        name->setFocus();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(name));
    }
};

using Keys = QList<Qt::Key>;
} // namespace

class TestDialogKeys : public QObject {
    Q_OBJECT
private slots:
    void init();
    void enterInTextBox_data();
    void enterInTextBox();
    void controlsAddedLater_data();
    void controlsAddedLater();
};

void TestDialogKeys::init()
{
    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
}

void TestDialogKeys::enterInTextBox_data()
{
    QTest::addColumn<int>("eingabemodus");
    QTest::addColumn<Keys>("keys");
    QTest::addColumn<int>("result"); // -1: still open
    QTest::newRow("running: first Enter goes to OK") << 1 << Keys{Qt::Key_Return} << -1;
    QTest::newRow("running: second Enter confirms")
        << 1 << Keys{Qt::Key_Return, Qt::Key_Return} << int(QDialog::Accepted);
    QTest::newRow("running: keypad Enter twice")
        << 1 << Keys{Qt::Key_Enter, Qt::Key_Enter} << int(QDialog::Accepted);
    QTest::newRow("start-up: Enter confirms at once")
        << 0 << Keys{Qt::Key_Return} << int(QDialog::Accepted);
    QTest::newRow("running: Esc cancels") << 1 << Keys{Qt::Key_Escape} << int(QDialog::Rejected);
}

void TestDialogKeys::enterInTextBox()
{
    QFETCH(int, eingabemodus);
    QFETCH(Keys, keys);
    QFETCH(int, result);
    ProgramState state;
    state.eingabemodus = eingabemodus;
    FarmDialog dialog(state);
    dialog.open();
    QTest::keyClicks(dialog.name, "Hof Lindenau");
    for (Qt::Key key : keys)
        QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(dialog.window.isVisible(), result == -1);
    if (result != -1)
        QCOMPARE(dialog.window.result(), result);
    else
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.ok));
    QCOMPARE(dialog.name->text(), QString("Hof Lindenau"));
}

void TestDialogKeys::controlsAddedLater_data()
{
    QTest::addColumn<QString>("control"); // built after the key handling
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("effect");
    QTest::newRow("F1 in a grid") << "grid" << int(Qt::Key_F1) << "Betrieb neu.HTM";
    QTest::newRow("F1 in a floating window with keys of its own")
        << "floating" << int(Qt::Key_F1) << "schlagdaten.HTM";
    QTest::newRow("Esc in a toolbar's text box") << "toolbar" << int(Qt::Key_Escape) << "cancel";
    QTest::newRow("Enter in a text box of a later panel")
        << "panel" << int(Qt::Key_Return) << "focus on OK";
}

void TestDialogKeys::controlsAddedLater()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(QString, effect);
    TestFolder folder;
    folder.writeFile("Betrieb neu.HTM", "<html></html>");
    folder.writeFile("schlagdaten.HTM", "<html></html>");
    ProgramState state;
    state.programmpfad = folder.path();
    state.eingabemodus = 1;
    FarmDialog dialog(state);
    QWidget* target = nullptr;
    if (control == "grid") {
        auto* grid = new QTableWidget(2, 2, &dialog.window);
        dialog.window.layout()->addWidget(grid);
        target = grid;
    } else if (control == "toolbar") {
        // Built apart, with its children, then put into the dialog.
        auto* toolbar = new QToolBar;
        auto* box = new QLineEdit;
        toolbar->addWidget(box);
        dialog.window.layout()->addWidget(toolbar);
        target = box;
    } else if (control == "floating") {
        auto* floating = new QWidget(&dialog.window, Qt::Tool);
        new FormKeyHandler(floating, state, "schlagdaten.HTM");
        target = new QLineEdit(floating);
    } else {
        auto* panel = new QWidget(&dialog.window);
        auto* panelLayout = new QVBoxLayout(panel);
        dialog.window.layout()->addWidget(panel);
        auto* box = new QLineEdit;
        panelLayout->addWidget(box);
        target = box;
    }
    dialog.open();
    QSignalSpy cancelled(dialog.cancel, &QPushButton::clicked);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    if (effect.endsWith(".HTM")) {
        QCOMPARE(Prompter::instance().shown().size(), 1);
        QCOMPARE(Prompter::instance().shown().first().text,
                 QUrl::fromLocalFile(folder.file(effect)).toString());
    } else if (effect == "cancel") {
        QCOMPARE(cancelled.count(), 1);
    } else {
        QVERIFY(dialog.window.isVisible());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(dialog.ok));
    }
}

QTEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
