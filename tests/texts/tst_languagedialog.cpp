#include "LanguageDialog.h"
#include "ModalAnswer.h"
#include "ProgramState.h"

#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestLanguageDialog : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<int>("mode"); // eingabemodus: 0 during start-up
        QTest::addColumn<int>("row");  // -1: the list untouched
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("sprache");
        QTest::newRow("OK untouched gives German") << 0 << -1 << "OK" << 1;
        QTest::newRow("Magyar") << 0 << 4 << "OK" << 5;
        QTest::newRow("closed by its frame gives German") << 0 << 2 << "close" << 1;
        QTest::newRow("Enter confirms at start-up") << 0 << 1 << "Enter" << 2;
        QTest::newRow("Enter does nothing while running") << 1 << 1 << "Enter" << 1;
    }
    void choice()
    {
        QFETCH(int, row);
        QFETCH(QString, answer);
        ProgramState state;
        QFETCH(int, mode);
        state.eingabemodus = mode;
        LanguageDialog dialog(state);
        whenModalShown([row, answer](QDialog* d) {
            auto* list = d->findChild<QListWidget*>("lstsprachen");
            if (row >= 0)
                list->setCurrentRow(row);
            if (answer == "OK")
                QTest::mouseClick(d->findChild<QPushButton*>("cmdok"), Qt::LeftButton);
            else if (answer == "Enter")
                QTest::keyClick(list, Qt::Key_Return);
            if (d->isVisible())
                d->close();
        });
        dialog.choose();
        QTEST(state.sprache, "sprache");
    }
};

QTEST_MAIN(TestLanguageDialog)
#include "tst_languagedialog.moc"
