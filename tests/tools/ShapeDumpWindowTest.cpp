// The shapefile dump window Form1: its controls, the listing in lst1 with the
// problem line from the catalogue, and Command1's print run into a PDF file
// when there is no printer. Every dialog is answered through the seam.
#include "ShapeDumpWindow.h"
#include "CatalogueSource.h"
#include "ListingPrint.h"
#include "PdfPages.h"
#include "ShapeBytes.h"
#include "TestFolder.h"
#include "TextCatalogue.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace ShapeBytes;

namespace {

QList<QPointF> square()
{
    return {{0, 0}, {0, 10}, {10, 10}, {10, 0}, {0, 0}};
}

// Writes plot.shp and plot.shx holding one square; returns the .shp path.
QString writeSquarePlot(const TestFolder& folder)
{
    const Shapefile file = ringFile(square());
    folder.writeFile("plot.shx", file.shx);
    return folder.writeFile("plot.shp", file.shp);
}

QStringList items(const QListWidget* list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

class ShapeDumpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void controls();
    void listsGivenFile();
    void asksForFileWhenNoneGiven();
    void cancelledChoiceListsNothing();
    void problemLineFromCatalogue_data();
    void problemLineFromCatalogue();
    void problemLineWithoutCatalogue();
    void printsIntoPdfWithoutPrinter();
    void printsSeveralPages();
    void cancelledPdfChoicePrintsNothing();
    void unwritablePdfIsReported();
    void emptyListPrintsNothing();

private:
    // A window whose dialogs fail the test if they are asked unexpectedly.
    void guard(ShapeDumpWindow& window);

    TestFolder m_catalogueFolder;
    TextCatalogue m_catalogue;
};

void ShapeDumpWindowTest::initTestCase()
{
    QStringList errors;
    const CatalogueSource source =
        CatalogueSource::parseFile(QStringLiteral(SORVAN_CATALOGUE_SOURCE), &errors);
    QCOMPARE(errors, QStringList());
    const OperationError written =
        source.writeDatabase(m_catalogueFolder.file(TextCatalogue::fileName()));
    QVERIFY2(!written.isError(), qPrintable(written.detail));
    const OperationError opened = m_catalogue.open(m_catalogueFolder.path());
    QVERIFY2(!opened.isError(), qPrintable(opened.detail));
}

void ShapeDumpWindowTest::init()
{
    // A dialog the test did not answer makes it fail (see guard).
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^unexpected ")));
}

void ShapeDumpWindowTest::guard(ShapeDumpWindow& window)
{
    window.dialogs().chooseShapefile = [](QWidget*) {
        qWarning("unexpected shapefile dialog");
        return QString();
    };
    window.dialogs().choosePdfFile = [](QWidget*) {
        qWarning("unexpected PDF dialog");
        return QString();
    };
    window.dialogs().defaultPrinter = [] { return QPrinterInfo(); };
    window.dialogs().showError = [](QWidget*, const QString&, const QString& text) {
        qWarning("unexpected message: %s", qPrintable(text));
    };
}

void ShapeDumpWindowTest::controls()
{
    ShapeDumpWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Form1"));
    QVERIFY(window.findChild<QListWidget*>("lst1"));
    auto* command1 = window.findChild<QPushButton*>("Command1");
    QVERIFY(command1);
    QCOMPARE(command1->text(), QStringLiteral("Command1"));
    double x = 170328064; // 00 00 27 0A read little-endian
    QCOMPARE(ShapeDumpWindow::Reverselong(x), 9994.0);
}

void ShapeDumpWindowTest::listsGivenFile()
{
    TestFolder folder;
    const QString shp = writeSquarePlot(folder);

    ShapeDumpWindow window;
    guard(window);
    window.setCatalogue(&m_catalogue, 1);
    window.setFile(shp);
    QVERIFY(window.load());
    const QStringList lines = items(window.findChild<QListWidget*>("lst1"));
    QCOMPARE(lines, ShapeDump::dumpShapefile(shp).lines);
    QCOMPARE(lines.size(), 49);
    QCOMPARE(lines.at(28), QStringLiteral(" 0      0"));
    QCOMPARE(lines.last(), QStringLiteral(" 50      64"));

    // Loading again replaces the list.
    QVERIFY(window.load());
    QCOMPARE(window.findChild<QListWidget*>("lst1")->count(), 49);
}

void ShapeDumpWindowTest::asksForFileWhenNoneGiven()
{
    TestFolder folder;
    const QString shp = writeSquarePlot(folder);

    ShapeDumpWindow window;
    guard(window);
    int asked = 0;
    QWidget* askedParent = nullptr;
    window.dialogs().chooseShapefile = [&](QWidget* parent) {
        ++asked;
        askedParent = parent;
        return shp;
    };
    QVERIFY(window.load());
    QCOMPARE(asked, 1);
    QCOMPARE(askedParent, &window);
    QCOMPARE(window.file(), shp);
    QCOMPARE(window.findChild<QListWidget*>("lst1")->count(), 49);
}

void ShapeDumpWindowTest::cancelledChoiceListsNothing()
{
    ShapeDumpWindow window;
    guard(window);
    window.dialogs().chooseShapefile = [](QWidget*) { return QString(); };
    QVERIFY(!window.load());
    QCOMPARE(window.findChild<QListWidget*>("lst1")->count(), 0);
}

void ShapeDumpWindowTest::problemLineFromCatalogue_data()
{
    QTest::addColumn<int>("sprache");
    QTest::addColumn<QString>("expected"); // "@" is the index file
    QTest::newRow("German") << 1 << "Die Indexdatei @ ist nicht vorhanden.";
    QTest::newRow("English") << 2 << "The index file @ does not exist.";
    QTest::newRow("French") << 3 << "Le fichier d'index @ n'existe pas.";
    QTest::newRow("Italian") << 4 << "Il file di indice @ non esiste.";
    QTest::newRow("Hungarian") << 5 << "A(z) @ indexfájl nem létezik.";
}

void ShapeDumpWindowTest::problemLineFromCatalogue()
{
    QFETCH(int, sprache);
    QFETCH(QString, expected);
    TestFolder folder;
    const QString shp = folder.writeFile("alone.shp", ringFile(square()).shp);

    ShapeDumpWindow window;
    guard(window);
    window.setCatalogue(&m_catalogue, sprache);
    window.setFile(shp);
    QVERIFY(!window.load());
    const QStringList lines = items(window.findChild<QListWidget*>("lst1"));
    QStringList wanted = ShapeDump::dumpShapefile(shp).lines;
    QCOMPARE(wanted.size(), 33);
    wanted << expected.replace('@', folder.file("alone.shx"));
    QCOMPARE(lines, wanted);
}

void ShapeDumpWindowTest::problemLineWithoutCatalogue()
{
    TestFolder folder;
    const QString shp = folder.writeFile("short.shp", ringFile(square()).shp.left(130));
    folder.writeFile("short.shx", ringFile(square()).shx);
    ShapeDumpWindow window;
    guard(window);
    window.setFile(shp);
    QVERIFY(!window.load());
    const QStringList lines = items(window.findChild<QListWidget*>("lst1"));
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines.last(),
             QStringLiteral("The file %1 is too short: 136 bytes needed, 130 present.").arg(shp));
}

void ShapeDumpWindowTest::printsIntoPdfWithoutPrinter()
{
    TestFolder folder;
    const QString shp = writeSquarePlot(folder);
    const QString pdf = folder.file("Form1.pdf");

    ShapeDumpWindow window;
    guard(window);
    int asked = 0;
    window.dialogs().choosePdfFile = [&](QWidget*) {
        ++asked;
        return pdf;
    };
    window.setFile(shp);
    QVERIFY(window.load());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QCOMPARE(asked, 1);
    QVERIFY(QFileInfo(pdf).size() > 0);
    const QByteArray bytes = folder.readFile("Form1.pdf");
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(bytes), 1);
}

void ShapeDumpWindowTest::printsSeveralPages()
{
    // 200 points: 44 + 200 lines, more than fit on one page.
    QList<QPointF> ring;
    for (int i = 0; i < 199; ++i)
        ring << QPointF(1000 + 10 * std::cos(i * 0.0316), 2000 + 10 * std::sin(i * 0.0316));
    ring << ring.first();
    TestFolder folder;
    const Shapefile file = ringFile(ring);
    const QString shp = folder.writeFile("round.shp", file.shp);
    folder.writeFile("round.shx", file.shx);
    const QString pdf = folder.file("round.pdf");

    ShapeDumpWindow window;
    guard(window);
    window.dialogs().choosePdfFile = [&](QWidget*) { return pdf; };
    window.setFile(shp);
    QVERIFY(window.load());
    const int lineCount = window.findChild<QListWidget*>("lst1")->count();
    QCOMPARE(lineCount, 244);

    QPrinter sample(QPrinter::HighResolution);
    sample.setOutputFormat(QPrinter::PdfFormat);
    sample.setOutputFileName(folder.file("sample.pdf"));
    const int perPage = ListingPrint::linesPerPage(sample);
    const int expectedPages = (lineCount + perPage - 1) / perPage;
    QVERIFY(expectedPages > 1);

    QCOMPARE(window.print(), expectedPages);
    QCOMPARE(pdfPageCount(folder.readFile("round.pdf")), expectedPages);
}

void ShapeDumpWindowTest::cancelledPdfChoicePrintsNothing()
{
    TestFolder folder;
    const QString shp = writeSquarePlot(folder);
    ShapeDumpWindow window;
    guard(window);
    int asked = 0;
    window.dialogs().choosePdfFile = [&](QWidget*) {
        ++asked;
        return QString();
    };
    window.setFile(shp);
    window.load();
    QCOMPARE(window.print(), 0);
    QCOMPARE(asked, 1);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

void ShapeDumpWindowTest::unwritablePdfIsReported()
{
    TestFolder folder;
    const QString shp = writeSquarePlot(folder);
    const QString pdf = folder.file("no such folder/Form1.pdf");
    ShapeDumpWindow window;
    guard(window);
    window.setCatalogue(&m_catalogue, 1);
    window.dialogs().choosePdfFile = [&](QWidget*) { return pdf; };
    QStringList messages;
    window.dialogs().showError = [&](QWidget*, const QString& title, const QString& text) {
        messages << title << text;
    };
    window.setFile(shp);
    window.load();
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QCOMPARE(window.print(), -1);
    QCOMPARE(messages.size(), 2);
    QCOMPARE(messages.at(0), QStringLiteral("Sorvan-GIS-Viewer - Bedienungsfehler"));
    QCOMPARE(messages.at(1),
             QStringLiteral("Die Liste kann nicht auf %1 gedruckt werden.").arg(pdf));
}

void ShapeDumpWindowTest::emptyListPrintsNothing()
{
    ShapeDumpWindow window;
    guard(window);
    int asked = 0;
    window.dialogs().choosePdfFile = [&](QWidget*) {
        ++asked;
        return QString();
    };
    QCOMPARE(window.print(), 0);
    QCOMPARE(asked, 0);
}

QTEST_MAIN(ShapeDumpWindowTest)
#include "ShapeDumpWindowTest.moc"
