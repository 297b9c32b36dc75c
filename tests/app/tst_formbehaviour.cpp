#include "FormBehaviour.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

namespace {
struct Dialog {
    QDialog window;
    QLineEdit* edit;
    QPushButton* ok;
    QPushButton* cancel;
    bool cancelled = false;
    Dialog()
    {
        window.setObjectName("Betriebeneu");
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        ok = new QPushButton("OK", &window);
        cancel = new QPushButton("Abbrechen", &window);
        layout->addWidget(edit);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        QObject::connect(cancel, &QPushButton::clicked, [this] { cancelled = true; });
    }
};
} // namespace

class TestFormBehaviour : public QObject {
    Q_OBJECT
private slots:
    void init();
    void f1OpensHelpPageOfProgramFolder();
    void f1ReportsMissingHelpPage();
    void escapeActsAsCancel();
    void enterMovesFocusToOkWhileInputModeIsOne();
    void okIsDefaultOnlyWhileInputModeIsZero_data();
    void okIsDefaultOnlyWhileInputModeIsZero();
    void fenstermitteCentresOnScreen();
    void fensterobenKeepsWindowAboveOwner();
    void folderBrowserCancelGivesEmpty();
};

void TestFormBehaviour::init()
{
    Prompter::instance().setTestMode(true);
    Prompter::instance().clearShown();
}

void TestFormBehaviour::f1OpensHelpPageOfProgramFolder()
{
    TestFolder folder;
    folder.writeFile("betrieb neu.htm", "<html></html>");
    ProgramState state;
    state.programmpfad = folder.path();
    Dialog d;
    new FormKeyHandler(&d.window, state, "Betrieb neu.HTM", d.cancel, d.ok);
    d.window.show();
    QTest::keyClick(d.edit, Qt::Key_F1);
    QCOMPARE(Prompter::instance().shown().size(), 1);
    QCOMPARE(Prompter::instance().shown().first().kind, QString("url"));
    QCOMPARE(Prompter::instance().shown().first().text,
             QUrl::fromLocalFile(folder.file("betrieb neu.htm")).toString());
}

void TestFormBehaviour::f1ReportsMissingHelpPage()
{
    TestFolder folder;
    ProgramState state;
    state.programmpfad = folder.path();
    Dialog d;
    new FormKeyHandler(&d.window, state, "drucken.HTM", d.cancel, d.ok);
    d.window.show();
    QTest::keyClick(&d.window, Qt::Key_F1);
    QCOMPARE(Prompter::instance().shown().size(), 1);
    QCOMPARE(Prompter::instance().shown().first().kind, QString("message"));
    QVERIFY(Prompter::instance().shown().first().text.contains("drucken.HTM"));
}

void TestFormBehaviour::escapeActsAsCancel()
{
    ProgramState state;
    Dialog d;
    new FormKeyHandler(&d.window, state, QString(), d.cancel, d.ok);
    d.window.show();
    d.edit->setText("Neuer Hof");
    QTest::keyClick(d.edit, Qt::Key_Escape);
    QVERIFY(d.cancelled);
}

void TestFormBehaviour::enterMovesFocusToOkWhileInputModeIsOne()
{
    ProgramState state;
    state.eingabemodus = 1;
    Dialog d;
    bool accepted = false;
    QObject::connect(d.ok, &QPushButton::clicked, [&] { accepted = true; });
    new FormKeyHandler(&d.window, state, QString(), d.cancel, d.ok);
    d.window.show();
    QApplication::setActiveWindow(&d.window);
    d.edit->setFocus();
    QTest::keyClick(d.edit, Qt::Key_Return);
    QVERIFY(!accepted);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.ok));
}

void TestFormBehaviour::okIsDefaultOnlyWhileInputModeIsZero_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("start-up") << 0 << true;
    QTest::newRow("running") << 1 << false;
}

void TestFormBehaviour::okIsDefaultOnlyWhileInputModeIsZero()
{
    QFETCH(int, mode);
    QFETCH(bool, isDefault);
    ProgramState state;
    state.eingabemodus = mode;
    Dialog d;
    auto* handler = new FormKeyHandler(&d.window, state, QString(), d.cancel, d.ok);
    handler->applyDefaultButton();
    QCOMPARE(d.ok->isDefault(), isDefault);
}

void TestFormBehaviour::fenstermitteCentresOnScreen()
{
    QWidget window;
    window.resize(300, 200);
    window.show();
    FormBehaviour::fenstermitte(&window);
    const QRect area = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
    QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);
}

void TestFormBehaviour::fensterobenKeepsWindowAboveOwner()
{
    QWidget owner;
    owner.setGeometry(0, 0, 800, 600);
    QWidget floating;
    floating.setGeometry(67, 333, 673, 195);
    FormBehaviour::fensteroben(&floating, &owner);
    // A tool window owned by the main window stays above it; neither its
    // place nor its size change.
    QCOMPARE(floating.parentWidget(), &owner);
    QCOMPARE(floating.windowType(), Qt::Tool);
    QCOMPARE(floating.pos(), QPoint(67, 333));
    QCOMPARE(floating.size(), QSize(673, 195));
    QDialog dialog;
    FormBehaviour::fensteroben(&dialog, &owner);
    QCOMPARE(dialog.windowType(), Qt::Dialog);
    QCOMPARE(dialog.parentWidget(), &owner);
    dialog.setParent(nullptr);
    floating.setParent(nullptr);
}

void TestFormBehaviour::folderBrowserCancelGivesEmpty()
{
    QCOMPARE(FormBehaviour::ordnerwaehlen(nullptr, "GPS"), QString());
    Prompter::instance().setNextAnswer(QString("/data/gps"));
    QCOMPARE(FormBehaviour::ordnerwaehlen(nullptr, "GPS"), QString("/data/gps"));
}

QTEST_MAIN(TestFormBehaviour)
#include "tst_formbehaviour.moc"
