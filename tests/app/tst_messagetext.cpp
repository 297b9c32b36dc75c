// Message texts: catalogue text with its %1, %2 ... filled in one pass, so
// that a value holding "%1" or "%2" (a folder name, say) comes out as it is.
#include "CatalogueSource.h"
#include "Messages.h"
#include "ProgramState.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QtTest>

class TestMessageText : public QObject {
    Q_OBJECT
private slots:
    void placeholdersFilledOnce_data();
    void placeholdersFilledOnce();
};

void TestMessageText::placeholdersFilledOnce_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("path holding %2")
        << "Die Datei %1 kann nicht geöffnet werden:\\n%2"
        << QStringList{"/höfe/%2/GISDATEN.MDB", "kaputt"}
        << "Die Datei /höfe/%2/GISDATEN.MDB kann nicht geöffnet werden:\nkaputt";
    QTest::newRow("path holding %1") << "%2: %1" << QStringList{"/a%1b", "Hof"} << "Hof: /a%1b";
    QTest::newRow("detail holding %1")
        << "%1 (%2)" << QStringList{"plot.SHP", "%1 bytes"} << "plot.SHP (%1 bytes)";
    QTest::newRow("placeholder used twice") << "%1 und %1" << QStringList{"A"} << "A und A";
    QTest::newRow("placeholder without value kept") << "%1 %3" << QStringList{"A"} << "A %3";
    QTest::newRow("lone percent sign") << "100% von %1" << QStringList{"x"} << "100% von x";
}

void TestMessageText::placeholdersFilledOnce()
{
    QFETCH(QString, text);
    QFETCH(QStringList, args);
    TestFolder folder;
    QStringList errors;
    const CatalogueSource source = CatalogueSource::parse(
        "form\tcontrol\tproperty\tde\ten\tfr\tit\thu\nhaupt\tTest\t1\t" + text + "\tx\tx\tx\tx\n",
        &errors);
    QVERIFY(errors.isEmpty());
    QVERIFY(!source.writeDatabase(folder.file("texte.mdb")).isError());
    TextCatalogue catalogue;
    QVERIFY(!catalogue.open(folder.path()).isError());
    ProgramState state;
    state.catalogue = &catalogue;
    state.sprache = 1;
    QTEST(Messages::format(state, {"haupt", "Test", "1"}, args), "expected");
}

QTEST_MAIN(TestMessageText)
#include "tst_messagetext.moc"
