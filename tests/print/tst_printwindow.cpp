// The print dialog and the main window's print tool and printer entry, with
// the printer replaced by a PDF file so that no system dialog opens.
#include "MapControl.h"
#include "PdfFileTarget.h"
#include "PdfPages.h"
#include "PrintDialog.h"
#include "PrinterChoice.h"
#include "ShapeFixture.h"
#include "WindowProgram.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>

namespace {
// A farm of two 100 m squares, chosen and drawn at start; the printer is the
// PDF file view.pdf.
struct Program : WindowProgram {
    Program()
    {
        const QString farm = folder.makeFolder("Hof A");
        for (const QString base : {"u", "v"})
            ShapeFixture::writeSquare(farm, base, QString("uv").indexOf(base) * 100, 0, 100);
        PrinterChoice::instance().hooks().target = [file = folder.file("view.pdf")] {
            return std::make_unique<PdfFileTarget>(
                file, PdfFileTarget::pageLayout(QPageSize::A4, QPageLayout::Portrait));
        };
        start();
    }
    template <typename T = QAction> T* child(const char* name) const
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
};

// Answers the print dialog once it is shown: makes choices, presses OK and,
// when the dialog stays open (*stayedOpen), Cancel.
void answerPrintDialog(const std::function<void(QDialog*)>& choose, bool* stayedOpen)
{
    QTimer::singleShot(0, [choose, stayedOpen] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == "drucken");
        choose(dialog);
        dialog->findChild<QPushButton*>("cmdok")->click();
        *stayedOpen = dialog->isVisible();
        if (*stayedOpen)
            dialog->findChild<QPushButton*>("cmdabbrechen")->click();
    });
}
} // namespace

class TestPrintWindow : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
        PrinterChoice::instance().resetHooks();
    }

    void dialogChoices()
    {
        ProgramState state;
        QList<PrintOptions> runs;
        bool succeed = false;
        PrintDialog dialog(state, [&](const PrintOptions& o) { return runs.append(o), succeed; });
        dialog.show();
        auto* list = dialog.findChild<QCheckBox*>("chkliste");
        auto* ownPage = dialog.findChild<QCheckBox*>("chkeigeneseite");
        auto* subtotals = dialog.findChild<QCheckBox*>("chkzwischensummen");
        QVERIFY(dialog.findChild<QRadioButton*>("optformatfuellend")->isChecked());
        QVERIFY(!list->isChecked() && !ownPage->isChecked() && !ownPage->isEnabled());
        QVERIFY(!subtotals->isEnabled());
        QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(5, list->height() / 2));
        QVERIFY(list->isChecked() && ownPage->isEnabled() && !ownPage->isChecked());
        QVERIFY(subtotals->isEnabled());
        ownPage->setChecked(true);
        subtotals->setChecked(true);
        QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(5, list->height() / 2));
        QVERIFY(!ownPage->isChecked() && !ownPage->isEnabled());
        QVERIFY(!subtotals->isChecked() && !subtotals->isEnabled());

        // OK: the run gets the choices; the dialog stays open until it succeeds.
        dialog.findChild<QRadioButton*>("optmassstab")->setChecked(true);
        list->setChecked(true);
        ownPage->setChecked(true);
        subtotals->setChecked(true);
        dialog.setLabels(true);
        dialog.findChild<QPushButton*>("cmdok")->click();
        QCOMPARE(runs.size(), 1);
        QVERIFY(runs[0].displayedScale && runs[0].list && runs[0].ownPage);
        QVERIFY(runs[0].subtotals && runs[0].labels);
        QVERIFY(dialog.isVisible());
        succeed = true;
        dialog.findChild<QPushButton*>("cmdok")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Esc anywhere closes without printing.
        dialog.show();
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(runs.size(), 2);
    }

    void printToolPrintsTheView()
    {
        Program p;
        const QList<QAction*> tools = p.child<QToolBar>("tb1")->actions();
        const qsizetype at = tools.indexOf(p.child("tb1drucken"));
        QVERIFY(at >= 2 && tools[at - 2] == p.child("tb1unten") && tools[at - 1]->isSeparator());
        bool stayedOpen = true;
        answerPrintDialog(
            [](QDialog* dialog) {
                dialog->findChild<QCheckBox*>("chkliste")->setChecked(true);
                dialog->findChild<QCheckBox*>("chkeigeneseite")->setChecked(true);
            },
            &stayedOpen);
        p.child("tb1drucken")->trigger();
        QVERIFY(!stayedOpen);
        QVERIFY(Prompter::instance().shown().isEmpty());
        QCOMPARE(pdfPageCount(p.folder.readFile("view.pdf")), 2);
    }

    // A scale of 0 typed in the scale box: a message, no file, the dialog open.
    void badScaleGivesMessage()
    {
        Program p;
        const double scaleBefore = p.window->map()->Scale();
        p.child<QComboBox>("cbomassstab")->setEditText("0");
        bool stayedOpen = false;
        answerPrintDialog(
            [](QDialog* dialog) {
                dialog->findChild<QRadioButton*>("optmassstab")->setChecked(true);
            },
            &stayedOpen);
        p.child("tb1drucken")->trigger();
        QVERIFY(stayedOpen);
        QCOMPARE(Prompter::instance().shown().size(), 1);
        QVERIFY(Prompter::instance().shown().first().text.contains("„0“"));
        QVERIFY(!QFile::exists(p.folder.file("view.pdf")));
        QCOMPARE(p.window->map()->Scale(), scaleBefore);
    }

    void printerEntryOpensTheSetUp()
    {
        Program p;
        QAction* entry = p.child("mnueinstellungdrucker");
        QVERIFY(p.child<QMenu>("mnuEinstellung")->actions().contains(entry));
        int opened = 0;
        PrinterChoice::instance().hooks().printerDialog = [&](QWidget*, QPrinter&) {
            return ++opened, false; // cancelled: nothing else happens
        };
        entry->trigger();
        QCOMPARE(opened, 1);
        QVERIFY(Prompter::instance().shown().isEmpty());
    }
};

QTEST_MAIN(TestPrintWindow)
#include "tst_printwindow.moc"
