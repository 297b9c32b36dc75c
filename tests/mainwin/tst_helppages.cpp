// F1 in every window opens its help page from a fresh program folder, and the
// pictures and pages that page refers to are there too.
#include "AboutWindow.h"
#include "FieldWindow.h"
#include "GpsWindow.h"
#include "MainWindow.h"
#include "NewFarmDialog.h"
#include "PrintDialog.h"
#include "ProgramFolderSetup.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SystemInfoWindow.h"
#include "TestFolder.h"

#include <QRegularExpression>
#include <QtTest>
#include <memory>

namespace {
std::unique_ptr<QWidget> makeWindow(const QString& name, ProgramState& state)
{
    if (name == "mdi0")
        return std::make_unique<MainWindow>(state);
    if (name == "schlagdaten")
        return std::make_unique<FieldWindow>(state, FieldMap{});
    if (name == "gpsdaten")
        return std::make_unique<GpsWindow>(state, GpsLinks{});
    if (name == "Betriebeneu")
        return std::make_unique<NewFarmDialog>(state);
    if (name == "drucken")
        return std::make_unique<PrintDialog>(state, PrintDialog::Run{});
    if (name == "logo")
        return std::make_unique<AboutWindow>(state, QString());
    return std::make_unique<SystemInfoWindow>(state, QString());
}
} // namespace

class TestHelpPages : public QObject {
    Q_OBJECT
private slots:
    void init() { Prompter::instance().setTestMode(true); }

    void f1OpensInstalledPage_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* window :
             {"mdi0", "schlagdaten", "gpsdaten", "Betriebeneu", "drucken", "logo", "systeminfo"})
            QTest::newRow(window) << window;
    }
    void f1OpensInstalledPage()
    {
        QFETCH(QString, window);
        TestFolder folder;
        QVERIFY(!ProgramFolderSetup::installMissingFiles(folder.path()).error.isError());
        ProgramState state;
        state.programmpfad = folder.path();
        const std::unique_ptr<QWidget> w = makeWindow(window, state);
        QCOMPARE(w->objectName(), window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        Prompter::instance().clearShown();
        QTest::keyClick(w.get(), Qt::Key_F1);

        const QList<Prompter::Shown> shown = Prompter::instance().shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).kind, QString("url"));
        QFile page(QUrl(shown.at(0).text).toLocalFile());
        QCOMPARE(QFileInfo(page).absolutePath(), folder.path());
        QVERIFY2(page.open(QIODevice::ReadOnly), qPrintable(page.fileName()));
        const QString html = QString::fromUtf8(page.readAll());
        QVERIFY(html.contains("<img src="));
        // Pictures and links to other pages lead to files of the folder.
        const QRegularExpression reference("(?:src|href)=\"([^\":#]+)\"");
        for (const auto& match : reference.globalMatch(html)) {
            const QString target = QUrl::fromPercentEncoding(match.captured(1).toUtf8());
            QVERIFY2(QFileInfo(folder.file(target)).isFile(), qPrintable(target));
        }
    }
};

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
