#include "CatalogueFixture.h"
#include "Messages.h"
#include "ProgramState.h"
#include "Texts.h"

class TestTextCatalogue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        writeCatalogue(m_folder,
                       "form|control|property|de|en|fr|it|hu\n"
                       "haupt|Eingabefehler|1|Eingabefehler|Input error|Erreur|Errore|Hiba\n"
                       "haupt|nurdeutsch|1|Nur Deutsch||||\n"
                       "haupt|leer|1|||||\n"
                       "drucken|Summe|1|Summe|Total|Total|Totale|Összesen\n"
                       "haupt|zeilen|1|Zeile 1\\nZeile 2|Line 1\\nLine 2|a|b|c\n"
                       "haupt|datei|1|Die Datei %1 kann nicht geöffnet werden:\\n%2|x|x|x|x\n"
                       "haupt|umgekehrt|1|%2: %1|x|x|x|x\n"
                       "haupt|zweimal|1|%1 und %1|x|x|x|x\n"
                       "haupt|ohnewert|1|%1 %3|x|x|x|x\n"
                       "haupt|prozent|1|100% von %1|x|x|x|x\n");
        QVERIFY(!m_catalogue.open(m_folder.path()).isError());
    }

    void textholen_data()
    {
        QTest::addColumn<QString>("key"); // form|control|property
        QTest::addColumn<int>("sprache");
        QTest::addColumn<QString>("expected");
        QTest::newRow("German") << "haupt|Eingabefehler|1" << 1 << "Eingabefehler";
        QTest::newRow("English") << "haupt|Eingabefehler|1" << 2 << "Input error";
        QTest::newRow("empty cell falls back to German")
            << "haupt|nurdeutsch|1" << 2 << "Nur Deutsch";
        QTest::newRow("both empty") << "haupt|leer|1" << 3 << "";
        QTest::newRow("no row") << "haupt|fehlt|1" << 1 << "";
        QTest::newRow("keys trimmed") << "  haupt | Eingabefehler|1 " << 2 << "Input error";
        QTest::newRow("keys ignore case") << "Drucken|summe|1" << 4 << "Totale";
        QTest::newRow("language 0 reads German") << "haupt|Eingabefehler|1" << 0 << "Eingabefehler";
        QTest::newRow("language without column") << "haupt|Eingabefehler|1" << 9 << "Eingabefehler";
        QTest::newRow("apostrophe is just text") << "haupt|O'Brien|1" << 1 << "";
        QTest::newRow("line breaks") << "haupt|zeilen|1" << 2 << "Line 1\nLine 2";
    }
    void textholen()
    {
        QFETCH(QString, key);
        QFETCH(int, sprache);
        const QStringList parts = key.split('|');
        QTEST(m_catalogue.textholen(parts[0], parts[1], parts[2], sprache), "expected");
        QVERIFY(!m_catalogue.lastError().isError());
    }

    void unusableCatalogueIsReported()
    {
        TestFolder empty;
        TextCatalogue catalogue;
        const OperationError error = catalogue.open(empty.path());
        QCOMPARE(error.kind, ErrorKind::FileNotFound);
        QVERIFY(error.where.endsWith("texte.mdb"));
        QCOMPARE(catalogue.textholen("haupt", "Eingabefehler", "1", 1), QString());
        QVERIFY(catalogue.lastError().isError());

        TestFolder broken;
        broken.writeFile("TEXTE.MDB", "this is not a database at all, just some text");
        QCOMPARE(catalogue.open(broken.path()).kind, ErrorKind::NotADatabase);
    }

    void sourceProblemsAreListed_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing cell") << "f|c|p|de|en\nmdi0|a|caption|A\n"
                                      << "line 2";
        QTest::newRow("duplicate key ignoring case")
            << "f|c|p|de\nmdi0|a|caption|A\nMDI0|A|Caption|B\n"
            << "duplicate";
    }
    void sourceProblemsAreListed()
    {
        QFETCH(QString, source);
        QFETCH(QString, problem);
        QStringList errors;
        CatalogueSource::parse(source.replace('|', '\t'), &errors);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(problem), qPrintable(errors.first()));
    }

    // Catalogue text with its %1, %2 ... filled in one pass, so that a value
    // holding "%1" or "%2" (a folder name, say) comes out as it is.
    void messagePlaceholdersFilledOnce_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("expected");
        QTest::newRow("path holding %2")
            << "datei" << QStringList{"/höfe/%2/GISDATEN.MDB", "kaputt"}
            << "Die Datei /höfe/%2/GISDATEN.MDB kann nicht geöffnet werden:\nkaputt";
        QTest::newRow("path holding %1")
            << "umgekehrt" << QStringList{"/a%1b", "Hof"} << "Hof: /a%1b";
        QTest::newRow("placeholder used twice") << "zweimal" << QStringList{"A"} << "A und A";
        QTest::newRow("placeholder without value kept") << "ohnewert" << QStringList{"A"} << "A %3";
        QTest::newRow("lone percent sign") << "prozent" << QStringList{"x"} << "100% von x";
    }
    void messagePlaceholdersFilledOnce()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, args);
        ProgramState state;
        state.catalogue = &m_catalogue;
        state.sprache = 1;
        QTEST(Messages::format(state, {"haupt", control, "1"}, args), "expected");
    }

    // The buttons of message boxes speak the program's language, also after a switch.
    void qtOwnTextsFollowTheLanguage_data()
    {
        QTest::addColumn<QList<int>>("languages"); // set one after the other
        QTest::addColumn<QString>("yes");
        QTest::newRow("German") << QList<int>{1} << "&Ja";
        QTest::newRow("French after German") << QList<int>{1, 3} << "&Oui";
        QTest::newRow("English after Hungarian") << QList<int>{5, 2} << "&Yes";
    }
    void qtOwnTextsFollowTheLanguage()
    {
        QFETCH(QList<int>, languages);
        ProgramState state;
        state.catalogue = &m_catalogue;
        for (int sprache : languages) {
            state.sprache = sprache;
            sprachvariablen(state);
        }
        QTEST(QCoreApplication::translate("QPlatformTheme", "&Yes"), "yes");
    }

private:
    TestFolder m_folder;
    TextCatalogue m_catalogue;
};

QTEST_GUILESS_MAIN(TestTextCatalogue)
#include "tst_textcatalogue.moc"
