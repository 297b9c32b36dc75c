// The help menu and its tools: support mail, web site, about window and the
// system information window; the language entries the catalogue allows.
#include "AboutWindow.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "ModalAnswer.h"
#include "ProgramInfo.h"
#include "Prompter.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

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
        Prompter::instance().setUrlOpener([this](const QUrl& url) {
            m_opened << QString::fromUtf8(url.toEncoded());
            return m_opens;
        });
    }
    void cleanup() { Prompter::instance().setUrlOpener({}); }

    // Menu entry and tool of each command do the same. The about window is
    // shown modally; the mail link carries the version and date it shows. A
    // link no program takes is reported by its address after the wait pointer
    // is gone.
    void toolsReachTheirAction_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("reported");
        const QString mail = "mailto:" + ProgramInfo::supportMailAddress();
        const QString link = mail +
                             "?subject=Support-Anfrage&body=Programm:%20Sorvan-GIS-Viewer"
                             "%0D%0AVersion:%20" +
                             ProgramInfo::version() + "%20vom%20" + ProgramInfo::programDate() +
                             "%0D%0A%0AAnfrage%20/%20Genaue%20Fehlerbeschreibung:";
        const QString web = ProgramInfo::webAddress();
        for (const QString prefix : {"mnuhilfe", "tb1"}) {
            const QByteArray p = prefix.toLatin1();
            QTest::addRow("%s email", p.data()) << prefix + "email" << true << link << "";
            QTest::addRow("%s internet", p.data()) << prefix + "internet" << true << web << "";
            QTest::addRow("%s info", p.data()) << prefix + "info" << true << ""
                                               << "";
        }
        QTest::newRow("no mail program") << "tb1email" << false << link << mail;
        QTest::newRow("no browser") << "mnuhilfeinternet" << false << web << web;
    }
    void toolsReachTheirAction()
    {
        QFETCH(QString, name);
        QFETCH(bool, opens);
        QFETCH(QString, url);
        QFETCH(QString, reported);
        MainWindowFixture p("2"); // English
        p.load();
        Prompter::instance().clearShown();
        m_opens = opens;
        QStringList about;
        if (url.isEmpty()) {
            whenModalShown([&about](QDialog* dialog) {
                for (const char* label : {"lblprogrammversion", "lblprogrammdatum"})
                    about << dialog->findChild<QLabel*>(label)->text();
                dialog->reject();
            });
        }
        p.child(name)->trigger();
        QCOMPARE(m_opened, url.isEmpty() ? QStringList{} : QStringList{url});
        if (url.isEmpty())
            QCOMPARE(about, (QStringList{ProgramInfo::version(), ProgramInfo::programDate()}));
        const QList<Prompter::Shown> shown = Prompter::instance().shown();
        QCOMPARE(shown.size(), m_opened.size() + (reported.isEmpty() ? 0 : 1));
        if (!reported.isEmpty()) {
            QCOMPARE(shown.last().title, p.state.titelbedienungsfehler);
            QCOMPARE(shown.last().text,
                     Messages::format(p.state, TextKeys::shellOpenFailed, {reported}));
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // In English; Esc closes it as Ok does; its system information names the
    // program's files.
    void aboutAndSystemInformation()
    {
        MainWindowFixture p("2");
        p.load();
        AboutWindow about(p.state, p.database.path());
        QCOMPARE(about.windowTitle(), QString(" About"));
        QCOMPARE(about.findChild<QLabel*>("lblversion")->text(), QString("Version:"));
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

    // Entries after the fifth only for language columns the catalogue has,
    // never beyond 9: entry 10 would select language 0, the key column.
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
        MainWindowFixture p("2", columns);
        p.load();
        const auto entry = [&p](int n) {
            return p.child(QString("mnueinstellungsprache%1").arg(n));
        };
        QVERIFY(entry(lastEntry) && !entry(lastEntry + 1));
        QCOMPARE(entry(lastEntry)->actionGroup()->actions().size(), lastEntry);
        entry(lastEntry)->trigger();
        QCOMPARE(p.state.sprache, lastEntry);
        QCOMPARE(p.folder.readFile("SPRACHE.DAT"), QByteArray::number(lastEntry) + "\r\n");
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_helpcommands.moc"
