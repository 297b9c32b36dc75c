#include "FormBehaviour.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "TestFolder.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// A dialog with an entry field, a check box, OK and Cancel, and the key handling
// of the program's windows.
struct Dialog {
    QDialog window;
    QLineEdit* edit = new QLineEdit(&window);
    QCheckBox* check = new QCheckBox(&window);
    QPushButton* ok = new QPushButton("OK", &window);
    QPushButton* cancel = new QPushButton("Abbrechen", &window);
    QStringList clicked;

    Dialog(const ProgramState& state, const QString& helpPage)
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* control : {static_cast<QWidget*>(edit), static_cast<QWidget*>(check),
                                 static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel)})
            layout->addWidget(control);
        cancel->setAutoDefault(false); // only the handler decides on a default button
        QObject::connect(ok, &QPushButton::clicked, [this] { clicked << "OK"; });
        QObject::connect(cancel, &QPushButton::clicked, [this] { clicked << "Cancel"; });
        new FormKeyHandler(&window, state, helpPage, cancel, ok);
        window.show();
        QApplication::setActiveWindow(&window);
    }
};
} // namespace

class TestFormBehaviour : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    void f1OpensHelpPage_data()
    {
        QTest::addColumn<QString>("page"); // asked for "Betrieb neu.HTM"
        QTest::addColumn<QString>("kind");
        QTest::newRow("page in other case") << "betrieb neu.htm"
                                            << "url";
        QTest::newRow("page missing") << ""
                                      << "message";
    }
    void f1OpensHelpPage()
    {
        QFETCH(QString, page);
        QFETCH(QString, kind);
        TestFolder folder;
        if (!page.isEmpty())
            folder.writeFile(page, "<html></html>");
        ProgramState state;
        state.programmpfad = folder.path();
        Dialog d(state, "Betrieb neu.HTM");
        QTest::keyClick(d.edit, Qt::Key_F1);
        QCOMPARE(Prompter::instance().shown().size(), 1);
        const Prompter::Shown shown = Prompter::instance().shown().first();
        QCOMPARE(shown.kind, kind);
        if (page.isEmpty())
            QVERIFY2(shown.text.contains("Betrieb neu.HTM"), qPrintable(shown.text));
        else
            QCOMPARE(shown.text, QUrl::fromLocalFile(folder.file(page)).toString());
    }

    void keysInDialogs_data()
    {
        QTest::addColumn<int>("mode"); // eingabemodus: 0 during start-up
        QTest::addColumn<QString>("on");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("clicked");
        QTest::addColumn<bool>("focusOnOk");
        QTest::newRow("Esc cancels")
            << 1 << "edit" << int(Qt::Key_Escape) << QStringList{"Cancel"} << false;
        QTest::newRow("Enter confirms at start-up")
            << 0 << "edit" << int(Qt::Key_Return) << QStringList{"OK"} << false;
        QTest::newRow("Enter in a field moves to OK while running")
            << 1 << "edit" << int(Qt::Key_Return) << QStringList() << true;
        QTest::newRow("OK is no default button while running")
            << 1 << "check" << int(Qt::Key_Return) << QStringList() << false;
    }
    void keysInDialogs()
    {
        QFETCH(QString, on);
        QFETCH(int, key);
        QFETCH(bool, focusOnOk);
        ProgramState state;
        QFETCH(int, mode);
        state.eingabemodus = mode;
        Dialog d(state, QString());
        QWidget* target = on == "edit" ? static_cast<QWidget*>(d.edit) : d.check;
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QTEST(d.clicked, "clicked");
        QCOMPARE(QApplication::focusWidget() == d.ok, focusOnOk);
    }

    void fenstermitteCentresOnScreen()
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

    void fensterobenKeepsWindowAboveOwner()
    {
        QWidget owner;
        owner.setGeometry(0, 0, 800, 600);
        QWidget floating;
        floating.setGeometry(67, 333, 673, 195);
        FormBehaviour::fensteroben(&floating, &owner);
        // A tool window owned by the main window stays above it; neither its
        // place nor its size change. A dialog stays a dialog.
        QCOMPARE(floating.parentWidget(), &owner);
        QCOMPARE(floating.windowType(), Qt::Tool);
        QCOMPARE(floating.geometry(), QRect(67, 333, 673, 195));
        QDialog dialog;
        FormBehaviour::fensteroben(&dialog, &owner);
        QCOMPARE(dialog.windowType(), Qt::Dialog);
        QCOMPARE(dialog.parentWidget(), &owner);
        dialog.setParent(nullptr);
        floating.setParent(nullptr);
    }
};

QTEST_MAIN(TestFormBehaviour)
#include "tst_formbehaviour.moc"
