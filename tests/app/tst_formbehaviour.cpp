// What every window shares: keys in dialogs (also in controls built after the
// key handling), help pages, placement, and window positions in the settings.
#include "FormBehaviour.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "TestFolder.h"
#include "Twips.h"
#include "WindowGeometry.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest>
#include <climits>

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
    }
    void show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
};

using Keys = QList<Qt::Key>;

// Window positions in twips as stored: left, top, height, width.
const QStringList positionKeys{"mdi0Left", "mdi0Top", "mdi0height", "mdi0width"};
const WindowGeometry geometry{"mdi0", 0, 0, 10000, 12000};
} // namespace

class TestFormBehaviour : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
    }

    // F1 opens the dialog's page, found ignoring case, or names the missing
    // page; a floating window built later with a page of its own opens that.
    void f1OpensHelpPage_data()
    {
        QTest::addColumn<QString>("page"); // on disk; the dialog asks for "Betrieb neu.HTM"
        QTest::addColumn<bool>("floating");
        QTest::addColumn<QString>("kind");
        QTest::newRow("page in other case") << "betrieb neu.htm" << false << "url";
        QTest::newRow("page missing") << "" << false << "message";
        QTest::newRow("floating window's own page") << "schlagdaten.HTM" << true << "url";
    }
    void f1OpensHelpPage()
    {
        QFETCH(QString, page);
        QFETCH(bool, floating);
        QFETCH(QString, kind);
        TestFolder folder;
        if (!page.isEmpty())
            folder.writeFile(page, "<html></html>");
        ProgramState state;
        state.programmpfad = folder.path();
        Dialog d(state, "Betrieb neu.HTM");
        QWidget* target = d.edit;
        if (floating) {
            auto* window = new QWidget(&d.window, Qt::Tool);
            new FormKeyHandler(window, state, "schlagdaten.HTM");
            (new QVBoxLayout(window))->addWidget(target = new QLineEdit);
        }
        d.show();
        target->setFocus();
        QTest::keyClick(target, Qt::Key_F1);
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
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QStringList>("clicked");
        QTest::addColumn<bool>("focusOnOk");
        const Keys enter{Qt::Key_Return};
        QTest::newRow("Esc cancels")
            << 1 << "edit" << Keys{Qt::Key_Escape} << QStringList{"Cancel"} << false;
        QTest::newRow("Enter confirms at start-up")
            << 0 << "edit" << enter << QStringList{"OK"} << false;
        QTest::newRow("Enter in a field moves to OK while running")
            << 1 << "edit" << enter << QStringList() << true;
        QTest::newRow("second Enter confirms")
            << 1 << "edit" << Keys{Qt::Key_Return, Qt::Key_Return} << QStringList{"OK"} << true;
        QTest::newRow("keypad Enter twice")
            << 1 << "edit" << Keys{Qt::Key_Enter, Qt::Key_Enter} << QStringList{"OK"} << true;
        QTest::newRow("OK is no default button while running")
            << 1 << "check" << enter << QStringList() << false;
        QTest::newRow("Enter in a text box of a panel built later")
            << 1 << "later" << enter << QStringList() << true;
    }
    void keysInDialogs()
    {
        QFETCH(QString, on);
        QFETCH(Keys, keys);
        QFETCH(bool, focusOnOk);
        ProgramState state;
        QFETCH(int, mode);
        state.eingabemodus = mode != 0;
        Dialog d(state, QString());
        QWidget* target = on == "edit" ? static_cast<QWidget*>(d.edit) : d.check;
        if (on == "later") {
            auto* panel = new QWidget;
            d.window.layout()->addWidget(panel);
            (new QVBoxLayout(panel))->addWidget(target = new QLineEdit);
        }
        d.show();
        QTest::keyClicks(d.edit, "Hof Lindenau");
        target->setFocus();
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
        QTEST(d.clicked, "clicked");
        QCOMPARE(QApplication::focusWidget() == d.ok, focusOnOk);
        QCOMPARE(d.edit->text(), QString("Hof Lindenau"));
    }

    // fenstermitte centres a window on the screen; fensteroben keeps it above its owner.
    void placement()
    {
        QWidget window;
        window.resize(300, 200);
        window.show();
        FormBehaviour::fenstermitte(&window);
        const QRect area = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);

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
    }

    void twipsToPixels_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("10000") << 10000 << 667;
        QTest::newRow("7 rounds down") << 7 << 0;
        QTest::newRow("8 rounds up") << 8 << 1;
        QTest::newRow("-8") << -8 << -1;
        QTest::newRow("largest int") << INT_MAX << 143165576;
        QTest::newRow("smallest int") << INT_MIN << -143165577;
    }
    void twipsToPixels()
    {
        QFETCH(int, twips);
        QTEST(Twips::toPixels(twips), "pixels");
    }

    // A restored window lies within the screens; values that fit come back
    // as the outer geometry, frame included, and unchanged from a save after
    // a load.
    void restoredGeometry_data()
    {
        QTest::addColumn<QList<int>>("stored"); // left, top, height, width
        QTest::addColumn<bool>("kept");
        QTest::newRow("field window default") << QList<int>{1000, 5000, 2925, 10095} << true;
        QTest::newRow("off the pixel grid") << QList<int>{7, 1013, 4001, 9999} << true;
        QTest::newRow("largest width") << QList<int>{0, 0, 10000, INT_MAX} << false;
        QTest::newRow("250 million twips") << QList<int>{0, 0, 250000000, 250000000} << false;
        QTest::newRow("far right and down") << QList<int>{INT_MAX, INT_MAX, 3000, 3000} << false;
        QTest::newRow("far left and up, no size")
            << QList<int>{INT_MIN, INT_MIN, INT_MIN, -5} << false;
    }
    void restoredGeometry()
    {
        QFETCH(QList<int>, stored);
        QFETCH(bool, kept);
        TestFolder folder;
        SettingsStore settings(folder.file("settings.ini"));
        for (int i = 0; i < positionKeys.size(); ++i)
            settings.saveInt(positionKeys.at(i), stored.at(i));
        QRect area;
        for (const QScreen* screen : QGuiApplication::screens())
            area |= screen->availableGeometry();
        for (int round = 0; round < (kept ? 2 : 1); ++round) {
            QWidget window;
            geometry.restore(&window, settings);
            const QRect frame = window.frameGeometry();
            QVERIFY(!frame.isEmpty());
            QCOMPARE(area.united(frame), area);
            if (!kept)
                return;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.frameGeometry(),
                     QRect(Twips::toPixels(stored[0]), Twips::toPixels(stored[1]),
                           Twips::toPixels(stored[3]), Twips::toPixels(stored[2])));
            QVERIFY(geometry.save(&window, settings));
            QList<int> saved;
            for (const QString& key : positionKeys)
                saved << settings.getInt(key, -1);
            QCOMPARE(saved, stored);
        }
    }
};

QTEST_MAIN(TestFormBehaviour)
#include "tst_formbehaviour.moc"
