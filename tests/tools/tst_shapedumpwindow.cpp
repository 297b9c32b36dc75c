// The shapefile dump window Form1: the listing in lst1 with the problem line
// from the catalogue, and Command1's print run into a PDF file when there is
// no printer. Every dialog is answered in advance and recorded.
#include "PdfPages.h"
#include "ShapeDumpWindow.h"
#include "ShapeFixture.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace ShapeFixture;

namespace {
// Form1 over a test folder, its dialogs answered in advance and recorded.
struct Form {
    TestFolder folder;
    ShapeDumpWindow window;
    QString shapefile, pdf; // the answers of the file dialogs
    QStringList asked, messages;

    Form()
    {
        window.dialogs().chooseShapefile = [this](QWidget* parent) {
            asked << (parent == &window ? "shapefile" : "shapefile over another window");
            return shapefile;
        };
        window.dialogs().choosePdfFile = [this](QWidget*) {
            asked << "pdf";
            return pdf;
        };
        window.dialogs().defaultPrinter = [] { return QPrinterInfo(); };
        window.dialogs().showError = [this](QWidget*, const QString& title, const QString& text) {
            messages << title << text;
        };
    }
    QString writeSquare(const QString& name) const
    {
        return writeShapefile(folder.path(), name, polygonFile({{square(0, 0, 10)}}));
    }
    QStringList items() const
    {
        QStringList lines;
        const auto* list = window.findChild<QListWidget*>("lst1");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
};
} // namespace

class TestShapeDumpWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(QStringLiteral(SORVAN_CATALOGUE_DB),
                            m_catalogueFolder.file(TextCatalogue::fileName())));
        QVERIFY(!m_catalogue.open(m_catalogueFolder.path()).isError());
    }

    void load_data()
    {
        QTest::addColumn<bool>("given");      // the file set before loading
        QTest::addColumn<bool>("cancelled");  // the user cancels the file dialog
        QTest::addColumn<int>("sprache");     // 0: no catalogue
        QTest::addColumn<QString>("problem"); // without the index file "@"; "": with it
        QTest::newRow("file given") << true << false << 0 << "";
        QTest::newRow("file chosen") << false << false << 0 << "";
        QTest::newRow("choice cancelled") << false << true << 0 << "";
        QTest::newRow("German") << true << false << 1 << "Die Indexdatei @ ist nicht vorhanden.";
        QTest::newRow("Hungarian") << true << false << 5 << "A(z) @ indexfájl nem létezik.";
        QTest::newRow("no catalogue") << true << false << 0 << "The index file @ does not exist.";
    }
    void load()
    {
        QFETCH(bool, given);
        QFETCH(bool, cancelled);
        QFETCH(int, sprache);
        QFETCH(QString, problem);
        Form form;
        const QString shp = form.writeSquare("plot.shp");
        if (!problem.isEmpty())
            QVERIFY(QFile::remove(form.folder.file("plot.shx")));
        if (sprache)
            form.window.setCatalogue(&m_catalogue, sprache);
        form.shapefile = cancelled ? QString() : shp;
        if (given)
            form.window.setFile(shp);
        QCOMPARE(form.window.load(), !cancelled && problem.isEmpty());
        QStringList listed = cancelled ? QStringList() : ShapeDump::dumpShapefile(shp).lines;
        if (!problem.isEmpty())
            listed << problem.replace('@', form.folder.file("plot.shx"));
        QCOMPARE(form.items(), listed);
        QCOMPARE(form.asked, given ? QStringList() : QStringList{"shapefile"});
        // Loading again replaces the list.
        form.window.load();
        QCOMPARE(form.items(), listed);
    }

    void command1Prints_data()
    {
        QTest::addColumn<bool>("listed");
        QTest::addColumn<QString>("pdf"); // answer of the PDF dialog, relative to the test folder
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("pages"); // -1: the message below
        QTest::newRow("into a PDF file") << true << "Form1.pdf" << QStringList{"pdf"} << 1;
        QTest::newRow("PDF choice cancelled") << true << "" << QStringList{"pdf"} << 0;
        QTest::newRow("PDF cannot be written")
            << true << "no such folder/Form1.pdf" << QStringList{"pdf"} << -1;
        QTest::newRow("nothing listed") << false << "Form1.pdf" << QStringList() << 0;
    }
    void command1Prints()
    {
        QFETCH(bool, listed);
        QFETCH(QString, pdf);
        QFETCH(int, pages);
        Form form;
        form.pdf = pdf.isEmpty() ? QString() : form.folder.file(pdf);
        form.window.setCatalogue(&m_catalogue, 1);
        if (listed) {
            form.window.setFile(form.writeSquare("plot.shp"));
            QVERIFY(form.window.load());
        }
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        if (pages < 0)
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QTest::mouseClick(form.window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTEST(form.asked, "asked");
        const QStringList written = QDir(form.folder.path()).entryList({"*.pdf"}, QDir::Files);
        QCOMPARE(written, pages > 0 ? QStringList{pdf} : QStringList());
        if (pages > 0)
            QCOMPARE(pdfPageCount(form.folder.readFile(pdf)), pages);
        const QStringList message{"Sorvan-GIS-Viewer - Bedienungsfehler",
                                  "Die Liste kann nicht auf " + form.pdf + " gedruckt werden."};
        QCOMPARE(form.messages, pages < 0 ? message : QStringList());
    }

private:
    TestFolder m_catalogueFolder;
    TextCatalogue m_catalogue;
};

QTEST_MAIN(TestShapeDumpWindow)
#include "tst_shapedumpwindow.moc"
