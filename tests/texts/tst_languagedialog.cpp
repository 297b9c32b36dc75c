#include "LanguageDialog.h"
#include "ModalAnswer.h"
#include "ProgramState.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestLanguageDialog : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void enterConfirmsOnlyAtStartUp();
};


void TestLanguageDialog::choice_data()
{
    QTest::addColumn<int>("row"); // -1: OK without touching the list; -2: closed by frame
    QTest::addColumn<int>("sprache");
    QTest::newRow("OK untouched gives German") << -1 << 1;
    QTest::newRow("Italiano") << 3 << 4;
    QTest::newRow("Magyar") << 4 << 5;
    QTest::newRow("closed by its frame at first start gives German") << -2 << 1;
}

void TestLanguageDialog::choice()
{
    QFETCH(int, row);
    ProgramState state;
    LanguageDialog dialog(state);
    QCOMPARE(dialog.windowTitle(), QString("Sprache auswählen / Select Language"));
    whenModalShown([row](QDialog* d) {
        auto* list = d->findChild<QListWidget*>("lstsprachen");
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->item(2)->text(), QString("Français"));
        if (row == -2) {
            d->reject();
            return;
        }
        if (row >= 0)
            list->setCurrentRow(row);
        QTest::mouseClick(d->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
    });
    dialog.choose();
    QTEST(state.sprache, "sprache");
}

void TestLanguageDialog::enterConfirmsOnlyAtStartUp()
{
    ProgramState state; // eingabemodus 0 during start-up
    LanguageDialog dialog(state);
    whenModalShown([](QDialog* d) {
        auto* list = d->findChild<QListWidget*>("lstsprachen");
        list->setCurrentRow(1);
        QVERIFY(d->findChild<QPushButton*>("cmdok")->isDefault());
        QTest::keyClick(list, Qt::Key_Return);
    });
    dialog.choose();
    QCOMPARE(state.sprache, 2);
}

QTEST_MAIN(TestLanguageDialog)
#include "tst_languagedialog.moc"
