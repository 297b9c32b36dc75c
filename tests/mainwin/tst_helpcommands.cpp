// The help menu and its tools: support mail, web site, about window and the
// system information window; the language entries the catalogue allows.
#include "AboutWindow.h"
#include "MainWindow.h"
#include "Messages.h"
#include "ModalAnswer.h"
#include "ProgramFolderSetup.h"
#include "ProgramInfo.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "SettingsStore.h"
#include "TestFolder.h"
#include "TextCatalogue.h"
#include "Texts.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QToolBar>
#include <QtTest>
#include <memory>

namespace {
struct Program {
    TestFolder folder;
    SettingsStore settings{folder.file("settings.ini")};
    TextCatalogue catalogue;
    ProjectDatabase database;
    ProgramState state;
    std::unique_ptr<MainWindow> window;

    // languageColumns: columns the catalogue is given (it comes with five).
    explicit Program(const QByteArray& language = "1", int languageColumns = 5)
    {
        ProgramFolderSetup::installMissingFiles(folder.path());
        folder.writeFile("SPRACHE.DAT", language);
        addLanguageColumns(languageColumns);
        state.programmpfad = folder.path();
        state.settings = &settings;
        catalogue.open(folder.path());
        state.catalogue = &catalogue;
        sprachvariablen(state);
        database.open(folder.path());
        state.database = &database;
    }
    void addLanguageColumns(int columns)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "columns");
            db.setDatabaseName(folder.file("texte.mdb"));
            QVERIFY(db.open());
            for (int i = 6; i <= columns; ++i)
                QVERIFY(QSqlQuery(db).exec(QString("alter table Texte add column s%1").arg(i)));
        }
        QSqlDatabase::removeDatabase("columns");
    }
    MainWindow* load()
    {
        window = std::make_unique<MainWindow>(state);
        window->load();
        window->show();
        return window.get();
    }
    QAction* tool(const QString& name) const { return window->findChild<QAction*>(name); }
};

QString mailLink()
{
    return "mailto:" + ProgramInfo::supportMailAddress() +
           "?subject=Support-Anfrage&body=Programm:%20Sorvan-GIS-Viewer%0D%0AVersion:%20" +
           ProgramInfo::version() + "%20vom%20" + ProgramInfo::programDate() +
           "%0D%0A%0AAnfrage%20/%20Genaue%20Fehlerbeschreibung:";
}
} // namespace

class TestHelpCommands : public QObject {
    Q_OBJECT
    QStringList m_opened; // URLs handed to the desktop, encoded
    bool m_opens = true;  // what the desktop answers

private slots:
    void init()
    {
        Prompter::instance().setTestMode(true);
        Prompter::instance().clearShown();
        m_opened.clear();
        m_opens = true;
        Prompter::instance().setUrlOpener([this](const QUrl& url) {
            m_opened << QString::fromUtf8(url.toEncoded());
            return m_opens;
        });
    }
    void cleanup() { Prompter::instance().setUrlOpener({}); }

    // Menu entry and tool of each command do the same; the about window is
    // shown modally with the version and date it shows in the mail link.
    void toolsReachTheirAction_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("about");
        for (const QString prefix : {"mnuhilfe", "tb1"}) {
            QTest::addRow("%s email", qPrintable(prefix))
                << prefix + "email" << QStringList{mailLink()} << false;
            QTest::addRow("%s internet", qPrintable(prefix))
                << prefix + "internet" << QStringList{ProgramInfo::webAddress()} << false;
            QTest::addRow("%s info", qPrintable(prefix))
                << prefix + "info" << QStringList{} << true;
        }
    }
    void toolsReachTheirAction()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, opened);
        QFETCH(bool, about);
        Program p;
        p.load();
        QStringList shown;
        if (about) {
            whenModalShown([&shown](QDialog* dialog) {
                shown << dialog->objectName() + ' ' +
                             dialog->findChild<QLabel*>("lblprogrammversion")->text() + ' ' +
                             dialog->findChild<QLabel*>("lblprogrammdatum")->text();
                dialog->reject();
            });
        }
        p.tool(name)->trigger();
        QCOMPARE(m_opened, opened);
        QCOMPARE(shown, about ? QStringList{"logo " + ProgramInfo::version() + ' ' +
                                            ProgramInfo::programDate()}
                              : QStringList{});
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void toolbarOrder()
    {
        Program p;
        p.load();
        QStringList names;
        for (QAction* action : p.window->findChild<QToolBar*>("tb1")->actions())
            names << (action->isSeparator() ? "|" : action->objectName());
        const QStringList tail = {"tb1hilfe", "tb1email", "tb1internet", "tb1info", "|", "tb1ende"};
        QCOMPARE(names.mid(names.indexOf("tb1hilfe")), tail);
    }

    // Without a mail program or browser the user is told what could not be
    // opened, after the wait pointer is gone.
    void failedCallIsReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("mail") << "tb1email"
                              << "mailto:" + ProgramInfo::supportMailAddress();
        QTest::newRow("web") << "mnuhilfeinternet" << ProgramInfo::webAddress();
    }
    void failedCallIsReported()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        Program p("2");
        p.load();
        m_opens = false;
        Prompter::instance().clearShown();
        p.tool(name)->trigger();
        const QList<Prompter::Shown> boxes = Prompter::instance().shown();
        QCOMPARE(boxes.size(), 2); // the call, then the message
        QCOMPARE(boxes.last().title, p.state.titelbedienungsfehler);
        QCOMPARE(boxes.last().text, Messages::format(p.state, TextKeys::shellOpenFailed, {shown}));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The about window in English; Esc closes it as Ok does; its system
    // information names the program's files.
    void aboutAndSystemInformation()
    {
        Program p;
        p.state.sprache = 2;
        AboutWindow about(p.state, p.database.path());
        QCOMPARE(about.windowTitle(), QString(" About"));
        QCOMPARE(about.findChild<QLabel*>("lblversion")->text(), QString("Version:"));
        QCOMPARE(about.versionCaption(), ProgramInfo::version());
        QCOMPARE(about.dateCaption(), ProgramInfo::programDate());
        QStringList info;
        whenModalShown([&info](QDialog* dialog) {
            for (const char* name :
                 {"lbltextkatalog", "infprogrammordner", "inftextkatalog", "infdatenbank"})
                info << dialog->findChild<QLabel*>(name)->text();
            dialog->accept();
        });
        about.findChild<QPushButton*>("cmdsysteminfo")->click();
        QCOMPARE(info, (QStringList{"Text catalogue:", p.folder.path(), p.catalogue.path(),
                                    p.database.path()}));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }

    // Entries after the fifth are offered only for language columns the
    // catalogue has, and never beyond 9: entry 10 would select language 0.
    void languageEntriesFollowCatalogue_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("lastEntry");
        QTest::newRow("five languages") << 5 << 5;
        QTest::newRow("seven") << 7 << 7;
        QTest::newRow("twelve") << 12 << 9;
    }
    void languageEntriesFollowCatalogue()
    {
        QFETCH(int, columns);
        QFETCH(int, lastEntry);
        Program p("1", columns);
        p.load();
        const auto entry = [&p](int n) {
            return p.tool(QString("mnueinstellungsprache%1").arg(n));
        };
        QVERIFY(entry(lastEntry));
        QVERIFY(!entry(lastEntry + 1));
        QVERIFY(!entry(10));
        QCOMPARE(entry(lastEntry)->actionGroup()->actions().size(), lastEntry);
        entry(lastEntry)->trigger();
        QCOMPARE(p.state.sprache, lastEntry);
        QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray::number(lastEntry) + "\r\n");
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
