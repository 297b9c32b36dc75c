#include "CatalogueFixture.h"
#include "FormTranslator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>

namespace {
const char* const source =
    "form|control|property|de|en|fr|it|hu\n"
    "fenster|fenster|caption|Fenster|Window|Fenêtre|Finestra|Ablak\n"
    "fenster|panlinks|caption|Maßstab|Scale|Échelle|Scala|Méretarány\n"
    "fenster|panrechts|caption|Maßstab|Scale|Échelle|Scala|Méretarány\n"
    "fenster|panmitte|caption|Maßstab|Scale|Échelle|Scala|Méretarány\n"
    "fenster|lblname|caption|Name|Name|Nom|Nome|Név\n"
    "fenster|lblname|tooltiptext|Name des Betriebs|Farm name|Nom|Nome|Név\n"
    "fenster|lbldeutsch|caption|Katalog deutsch||||\n"
    "fenster|cmdok|caption|&Ok|&OK|&OK|&OK|&OK\n"
    "fenster|txtwert|text|Wert|Value|Valeur|Valore|Érték\n"
    "fenster|cbomassstab|caption|nie|never|jamais|mai|soha\n"
    "fenster|Flaeche|caption|Fläche|Area|Surface|Superficie|Terület\n"
    "fenster|grdschlagdaten|tooltiptext|Schläge|Plots|Parcelles|Appezzamenti|Táblák\n"
    "fenster|mnuDatei|caption|Datei|File|Fichier|File|Fájl\n"
    "fenster|mnudateiende|caption|Ende|Exit|Quitter|Esci|Kilépés\n"
    "fenster|mnudateiende|tooltiptext|Beenden|Close|Fermer|Chiudi|Bezárás\n"
    "fenster|tb1|caption|Werkzeuge|Tools|Outils|Strumenti|Eszközök\n"
    "fenster|tb1ende|tooltiptext|Beenden|Close|Fermer|Chiudi|Bezárás\n";

struct Window {
    QMainWindow window;
    QLabel* panLeft;
    QLabel* panRight;
    QLabel* panCentre;
    QLabel* name;
    QLabel* germanOnly;
    QPushButton* ok;
    QLineEdit* value;
    QComboBox* scale;
    QTableView* grid;
    QStandardItemModel model{0, 2};
    QMenu* fileMenu;
    QAction* exit;
    QToolBar* toolbar;
    QAction* toolExit;

    Window()
    {
        window.setObjectName("fenster");
        window.setWindowTitle("Entwurf");
        auto* central = new QWidget(&window);
        window.setCentralWidget(central);
        auto panel = [&](const char* name, Qt::Alignment alignment) {
            auto* label = new QLabel("Entwurf", central);
            label->setObjectName(name);
            label->setAlignment(alignment);
            return label;
        };
        panLeft = panel("panlinks", Qt::AlignLeft | Qt::AlignVCenter);
        panRight = panel("panrechts", Qt::AlignRight | Qt::AlignVCenter);
        panCentre = panel("panmitte", Qt::AlignHCenter | Qt::AlignVCenter);
        name = panel("lblname", Qt::AlignLeft);
        germanOnly = panel("lbldeutsch", Qt::AlignLeft);
        germanOnly->setText("Entwurfstext");
        ok = new QPushButton("Ok", central);
        ok->setObjectName("cmdok");
        value = new QLineEdit("alt", central);
        value->setObjectName("txtwert");
        scale = new QComboBox(central);
        scale->setObjectName("cbomassstab");
        scale->setProperty("caption", "unberührt");
        grid = new QTableView(central);
        grid->setObjectName("grdschlagdaten");
        model.setHeaderData(0, Qt::Horizontal, "Flaeche", FormTranslator::DataFieldRole);
        model.setHeaderData(0, Qt::Horizontal, "Fläche (sichtbar)");
        model.setHeaderData(1, Qt::Horizontal, "Kultur", FormTranslator::DataFieldRole);
        model.setHeaderData(1, Qt::Horizontal, "Kultur");
        grid->setModel(&model);
        QMenuBar* bar = window.menuBar();
        bar->setObjectName("mnu");
        fileMenu = bar->addMenu("Datei-Entwurf");
        fileMenu->setObjectName("mnuDatei");
        fileMenu->menuAction()->setObjectName("mnuDatei");
        exit = fileMenu->addAction("Ende-Entwurf");
        exit->setObjectName("mnudateiende");
        toolbar = window.addToolBar("tb");
        toolbar->setObjectName("tb1");
        toolExit = toolbar->addAction("x");
        toolExit->setObjectName("tb1ende");
    }
};
} // namespace

class TestFormTranslator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void translatesByPrefix_data();
    void translatesByPrefix();
    void windowCaptionKeptWithoutRow();
    void failsWhenCatalogueIsGone();

private:
    TestFolder m_folder;
    TextCatalogue m_catalogue;
};

void TestFormTranslator::initTestCase()
{
    writeCatalogue(m_folder, source);
    QVERIFY(!m_catalogue.open(m_folder.path()).isError());
}

void TestFormTranslator::translatesByPrefix_data()
{
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("centre");
    QTest::addColumn<QString>("germanOnly");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("exitTip");
    QTest::newRow("German") << 1 << " Fenster"
                            << " Maßstab"
                            << "Maßstab "
                            << "Maßstab"
                            << "Katalog deutsch"
                            << "Datei"
                            << "Beenden";
    QTest::newRow("English") << 2 << " Window"
                             << " Scale"
                             << "Scale "
                             << "Scale"
                             << "Entwurfstext"
                             << "File"
                             << "Close";
}

void TestFormTranslator::translatesByPrefix()
{
    QFETCH(int, sprache);
    Window w;
    QVERIFY(!FormTranslator::formuebersetzen(&w.window, m_catalogue, sprache).isError());
    QTEST(w.window.windowTitle(), "caption");
    QTEST(w.panLeft->text(), "left");
    QTEST(w.panRight->text(), "right");
    QTEST(w.panCentre->text(), "centre");
    // An empty cell in the chosen language keeps the design-time text.
    QTEST(w.germanOnly->text(), "germanOnly");
    QTEST(w.fileMenu->title(), "menu");
    QTEST(w.exit->toolTip(), "exitTip");
    QTEST(w.toolExit->toolTip(), "exitTip");
    QCOMPARE(w.toolExit->text(), QString("x")); // no caption row: unchanged
    // Controls of other kinds are never looked up.
    QCOMPARE(w.scale->property("caption").toString(), QString("unberührt"));
    // Grid columns are found by their data field, not their heading.
    QCOMPARE(w.model.headerData(0, Qt::Horizontal).toString(),
             sprache == 1 ? QString("Fläche") : QString("Area"));
    QCOMPARE(w.model.headerData(1, Qt::Horizontal).toString(), QString("Kultur"));
    QCOMPARE(w.grid->toolTip(), sprache == 1 ? QString("Schläge") : QString("Plots"));
    QCOMPARE(w.value->text(), sprache == 1 ? QString("Wert") : QString("Value"));
    QCOMPARE(w.name->toolTip(), sprache == 1 ? QString("Name des Betriebs") : QString("Farm name"));
}

void TestFormTranslator::windowCaptionKeptWithoutRow()
{
    Window w;
    w.window.setObjectName("anderesfenster");
    QVERIFY(!FormTranslator::formuebersetzen(&w.window, m_catalogue, 2).isError());
    QCOMPARE(w.window.windowTitle(), QString("Entwurf"));
    QCOMPARE(w.panLeft->text(), QString("Entwurf"));
}

void TestFormTranslator::failsWhenCatalogueIsGone()
{
    TextCatalogue notOpen; // as after a failed open of a missing texte.mdb
    Window w;
    const OperationError error = FormTranslator::formuebersetzen(&w.window, notOpen, 1);
    QVERIFY(error.isError());
    QCOMPARE(w.window.windowTitle(), QString("Entwurf"));
}

QTEST_MAIN(TestFormTranslator)
#include "tst_formtranslator.moc"
