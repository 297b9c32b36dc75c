#include "CatalogueFixture.h"
#include "FormTranslator.h"
#include "LanguageDialog.h"
#include "ModalAnswer.h"
#include "ProgramState.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    "fenster|tb1ende|tooltiptext|Beenden|Close|Fermer|Chiudi|Bezárás\n"
    "breit|Flaeche|caption|Fläche in Hektar nach der amtlichen Vermessung|A|S|S|T\n"
    "breit|Kultur|caption|Kultur|Crop|Culture|Coltura|Kultúra\n";

// A window with one control of each kind the translation handles, every
// text still the design-time "Entwurf".
struct Window {
    QMainWindow window;
    QWidget* central = new QWidget(&window);
    QStandardItemModel model{0, 2};
    QMenu* fileMenu = window.menuBar()->addMenu("Entwurf");
    QAction* exit = fileMenu->addAction("Entwurf");
    QAction* toolExit = window.addToolBar("Entwurf")->addAction("Entwurf");

    Window()
    {
        window.setObjectName("fenster");
        window.setWindowTitle("Entwurf");
        window.setCentralWidget(central);
        const std::pair<const char*, Qt::Alignment> labels[] = {{"panlinks", Qt::AlignLeft},
                                                                {"panrechts", Qt::AlignRight},
                                                                {"panmitte", Qt::AlignHCenter},
                                                                {"lblname", Qt::AlignLeft},
                                                                {"lbldeutsch", Qt::AlignLeft}};
        for (const auto& [name, alignment] : labels)
            add(new QLabel("Entwurf"), name)->setAlignment(alignment | Qt::AlignVCenter);
        add(new QPushButton("Entwurf"), "cmdok");
        add(new QLineEdit("Entwurf"), "txtwert");
        add(new QComboBox, "cbomassstab")->setProperty("caption", "Entwurf");
        model.setHeaderData(0, Qt::Horizontal, "Flaeche", FormTranslator::DataFieldRole);
        model.setHeaderData(0, Qt::Horizontal, "Entwurf");
        model.setHeaderData(1, Qt::Horizontal, "Kultur", FormTranslator::DataFieldRole);
        model.setHeaderData(1, Qt::Horizontal, "Entwurf");
        add(new QTableView, "grdschlagdaten")->setModel(&model);
        window.menuBar()->setObjectName("mnu");
        fileMenu->setObjectName("mnuDatei");
        exit->setObjectName("mnudateiende");
        toolExit->setObjectName("tb1ende");
    }
    template <typename T> T* add(T* control, const char* name)
    {
        control->setParent(central);
        control->setObjectName(name);
        return control;
    }
    QString text(const char* name) const { return central->findChild<QLabel*>(name)->text(); }
    // Every text the translation may change, in a fixed order.
    QStringList texts() const
    {
        return {window.windowTitle(),
                text("panlinks"),
                text("panrechts"),
                text("panmitte"),
                text("lblname"),
                central->findChild<QLabel*>("lblname")->toolTip(),
                text("lbldeutsch"),
                central->findChild<QPushButton*>("cmdok")->text(),
                central->findChild<QLineEdit*>("txtwert")->text(),
                central->findChild<QComboBox*>("cbomassstab")->property("caption").toString(),
                model.headerData(0, Qt::Horizontal).toString(),
                model.headerData(1, Qt::Horizontal).toString(),
                central->findChild<QTableView*>("grdschlagdaten")->toolTip(),
                fileMenu->title(),
                exit->text(),
                exit->toolTip(),
                toolExit->toolTip(),
                toolExit->text()};
    }
};
} // namespace

class TestFormTranslator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        writeCatalogue(m_folder, source);
        QVERIFY(!m_catalogue.open(m_folder.path()).isError());
    }

    void translatesByPrefix_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("sprache");       // 0: the catalogue is not open
        QTest::addColumn<QStringList>("texts"); // in the order of Window::texts()
        // Panels are padded by their alignment; an empty cell keeps the design-time
        // text; combo boxes are never looked up; grid columns are found by their
        // data field; an entry without a caption row keeps its text.
        QTest::newRow("German") << "fenster" << 1
                                << QStringList{" Fenster",        " Maßstab", "Maßstab ",
                                               "Maßstab",         "Name",     "Name des Betriebs",
                                               "Katalog deutsch", "&Ok",      "Wert",
                                               "Entwurf",         "Fläche",   "Entwurf",
                                               "Schläge",         "Datei",    "Ende",
                                               "Beenden",         "Beenden",  "Entwurf"};
        QTest::newRow("English") << "fenster" << 2
                                 << QStringList{" Window", " Scale",    "Scale ",  "Scale",
                                                "Name",    "Farm name", "Entwurf", "&OK",
                                                "Value",   "Entwurf",   "Area",    "Entwurf",
                                                "Plots",   "File",      "Exit",    "Close",
                                                "Close",   "Entwurf"};
        const QStringList design = Window().texts();
        QTest::newRow("window without rows") << "anderesfenster" << 2 << design;
        QTest::newRow("catalogue not open") << "fenster" << 0 << design;
        QStringList wide = design; // a heading wider than its column widens it
        wide[10] = "Fläche in Hektar nach der amtlichen Vermessung";
        wide[11] = "Kultur";
        QTest::newRow("wide heading") << "breit" << 1 << wide;
    }
    void translatesByPrefix()
    {
        QFETCH(QString, form);
        QFETCH(int, sprache);
        Window w;
        w.window.setObjectName(form);
        QHeaderView* header = w.window.findChild<QTableView*>()->horizontalHeader();
        header->resizeSection(1, 400); // a short heading leaves a wide column as it is
        TextCatalogue notOpen;         // as after a failed open of a missing texte.mdb
        const OperationError error =
            FormTranslator::formuebersetzen(&w.window, sprache ? m_catalogue : notOpen, sprache);
        QCOMPARE(error.isError(), sprache == 0);
        QTEST(w.texts(), "texts");
        QCOMPARE_GE(header->sectionSize(0), header->fontMetrics().horizontalAdvance(
                                                w.model.headerData(0, Qt::Horizontal).toString()));
        QCOMPARE(header->sectionSize(1), 400);
    }

    // The language dialog's answer.
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
        state.eingabemodus = mode != 0;
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

private:
    TestFolder m_folder;
    TextCatalogue m_catalogue;
};

QTEST_MAIN(TestFormTranslator)
#include "tst_formtranslator.moc"
