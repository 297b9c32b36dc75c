// Switching the language from the settings menu while the program runs: the
// status strip shows its labels in full in every language, and the language
// entries form one group with exactly the current language checked.
#include "MainWindow.h"
#include "ProgramFolderSetup.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QtTest>
#include <memory>

class TestLanguageSwitch : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void switchFromMenu_data();
    void switchFromMenu();

private:
    TestFolder m_folder;
    TextCatalogue m_catalogue;
};

void TestLanguageSwitch::initTestCase()
{
    Prompter::instance().setTestMode(true);
    ProgramFolderSetup::installMissingFiles(m_folder.path());
    QVERIFY(!m_catalogue.open(m_folder.path()).isError());
}

void TestLanguageSwitch::switchFromMenu_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("Deutsch") << 3 << 1;
    QTest::newRow("English") << 1 << 2;
    QTest::newRow("Français") << 1 << 3;
    QTest::newRow("Italiano") << 1 << 4;
    QTest::newRow("Magyar") << 1 << 5;
}

void TestLanguageSwitch::switchFromMenu()
{
    QFETCH(int, from);
    QFETCH(int, to);
    m_folder.writeFile("SPRACHE.DAT", QByteArray::number(from) + "\r\n");
    SettingsStore settings(m_folder.file("settings.ini"));
    ProgramState state;
    state.programmpfad = m_folder.path();
    state.settings = &settings;
    state.catalogue = &m_catalogue;
    MainWindow window(state);
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* entry = window.findChild<QAction*>(QString("mnueinstellungsprache%1").arg(to));
    entry->trigger();
    QCOMPARE(state.sprache, to);

    for (const char* name : {"panflaeche", "panmassstab"}) {
        auto* label = window.findChild<QLabel*>(name);
        const QFontMetrics metrics = label->fontMetrics();
        // A framed label indents its text by half an "x".
        const int needed =
            metrics.horizontalAdvance(label->text()) + metrics.horizontalAdvance('x') / 2;
        QVERIFY2(label->contentsRect().width() >= needed,
                 qPrintable(QString("%1 \"%2\": %3 pixels for %4")
                                .arg(name, label->text())
                                .arg(label->contentsRect().width())
                                .arg(needed)));
    }

    QActionGroup* group = entry->actionGroup();
    QVERIFY(group);
    QCOMPARE(group->exclusionPolicy(), QActionGroup::ExclusionPolicy::Exclusive);
    QCOMPARE(group->actions().size(), 5);
    QCOMPARE(group->checkedAction(), entry);
    entry->trigger(); // choosing the current language again keeps it checked
    QCOMPARE(group->checkedAction(), entry);
}

QTEST_MAIN(TestLanguageSwitch)
#include "tst_languageswitch.moc"
