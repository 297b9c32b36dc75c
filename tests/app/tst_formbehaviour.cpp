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

struct Stored {
    int left, top, height, width;
};
const WindowGeometry geometry{"mdi0", 0, 0, 10000, 12000};

void store(SettingsStore& settings, const Stored& s)
{
    settings.saveInt("mdi0Left", s.left);
    settings.saveInt("mdi0Top", s.top);
    settings.saveInt("mdi0height", s.height);
    settings.saveInt("mdi0width", s.width);
}
} // namespace

Q_DECLARE_METATYPE(Stored)

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
        QTest::newRow("page in other case") << "betrieb neu.htm" << QString("url");
        QTest::newRow("page missing") << "" << QString("message");
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
        d.show();
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
    }
    void keysInDialogs()
    {
        QFETCH(QString, on);
        QFETCH(Keys, keys);
        QFETCH(bool, focusOnOk);
        ProgramState state;
        QFETCH(int, mode);
        state.eingabemodus = mode;
        Dialog d(state, QString());
        d.show();
        QTest::keyClicks(d.edit, "Hof Lindenau");
        QWidget* target = on == "edit" ? static_cast<QWidget*>(d.edit) : d.check;
        target->setFocus();
        for (Qt::Key key : keys)
            QTest::keyClick(QApplication::focusWidget(), key);
        QTEST(d.clicked, "clicked");
        QCOMPARE(QApplication::focusWidget() == d.ok, focusOnOk);
        QCOMPARE(d.edit->text(), QString("Hof Lindenau"));
    }

    // Controls built after the key handling: a text box of a later panel gets
    // the dialog's keys; a floating window with keys of its own keeps them.
    void controlsAddedLater_data()
    {
        QTest::addColumn<bool>("floating");
        QTest::newRow("Enter in a text box of a later panel") << false;
        QTest::newRow("F1 in a floating window") << true;
    }
    void controlsAddedLater()
    {
        QFETCH(bool, floating);
        TestFolder folder;
        folder.writeFile("schlagdaten.HTM", "<html></html>");
        ProgramState state;
        state.programmpfad = folder.path();
        state.eingabemodus = 1;
        Dialog d(state, "Betrieb neu.HTM");
        auto* panel = new QWidget(&d.window, floating ? Qt::Tool : Qt::Widget);
        if (floating)
            new FormKeyHandler(panel, state, "schlagdaten.HTM");
        else
            d.window.layout()->addWidget(panel);
        auto* box = new QLineEdit;
        (new QVBoxLayout(panel))->addWidget(box);
        d.show();
        box->setFocus();
        QTest::keyClick(box, floating ? Qt::Key_F1 : Qt::Key_Return);
        if (floating) {
            QCOMPARE(Prompter::instance().shown().size(), 1);
            QCOMPARE(Prompter::instance().shown().first().text,
                     QUrl::fromLocalFile(folder.file("schlagdaten.HTM")).toString());
        } else {
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.ok));
        }
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

    // The stored values are the outer geometry, frame included, and come back
    // unchanged from a save after a load.
    void saveAfterLoadKeepsTheNumbers_data()
    {
        QTest::addColumn<Stored>("stored");
        QTest::newRow("field window default") << Stored{1000, 5000, 2925, 10095};
        QTest::newRow("off the pixel grid") << Stored{7, 1013, 4001, 9999};
    }
    void saveAfterLoadKeepsTheNumbers()
    {
        QFETCH(Stored, stored);
        TestFolder folder;
        SettingsStore settings(folder.file("settings.ini"));
        store(settings, stored);
        for (int round = 0; round < 2; ++round) {
            QWidget window;
            geometry.restore(&window, settings);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.frameGeometry(),
                     QRect(Twips::toPixels(stored.left), Twips::toPixels(stored.top),
                           Twips::toPixels(stored.width), Twips::toPixels(stored.height)));
            QVERIFY(geometry.save(&window, settings));
            QCOMPARE(
                QList<int>({settings.getInt("mdi0left", -1), settings.getInt("mdi0top", -1),
                            settings.getInt("mdi0height", -1), settings.getInt("mdi0width", -1)}),
                QList<int>({stored.left, stored.top, stored.height, stored.width}));
        }
    }

    void restoredGeometryFitsTheScreens_data()
    {
        QTest::addColumn<Stored>("stored");
        QTest::newRow("largest width") << Stored{0, 0, 10000, INT_MAX};
        QTest::newRow("250 million twips") << Stored{0, 0, 250000000, 250000000};
        QTest::newRow("far right and down") << Stored{INT_MAX, INT_MAX, 3000, 3000};
        QTest::newRow("far left and up, no size") << Stored{INT_MIN, INT_MIN, INT_MIN, -5};
    }
    void restoredGeometryFitsTheScreens()
    {
        QFETCH(Stored, stored);
        TestFolder folder;
        SettingsStore settings(folder.file("settings.ini"));
        store(settings, stored);
        QWidget window;
        geometry.restore(&window, settings);
        QRect area;
        for (const QScreen* screen : QGuiApplication::screens())
            area |= screen->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY(!frame.isEmpty());
        QCOMPARE(area.united(frame), area);
    }
};

QTEST_MAIN(TestFormBehaviour)
#include "tst_formbehaviour.moc"
