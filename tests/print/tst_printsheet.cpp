// Sheets drawn into images and PDF files: what their pixels and pages show,
// how a failing run leaves things, and the print command.
#include "DocumentSheetMap.h"
#include "LayerDisplay.h"
#include "PdfFileTarget.h"
#include "PdfPages.h"
#include "CliCommand.h"
#include "PrintRun.h"
#include "ProgramFixture.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapeFixture.h"
#include "StagingFolder.h"
#include "TestFolder.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QtTest>

namespace {
constexpr qint64 red = 255, green = 65280, blue = 16711680;
constexpr int twipsPerPixel = 10; // images at 144 dpi
constexpr int margin = 500;       // twips of image around the page

// Three 100 m squares side by side, u red, v green, w blue, on a map of 600 x 400 pixels.
struct Squares {
    TestFolder folder;
    ProgramState state;
    MapDocument map;
    Squares()
    {
        state.programmpfad = folder.path();
        const QString staging = StagingFolder::path(folder.path());
        StagingFolder::prepare(staging);
        for (const QString base : {"u", "v", "w"})
            ShapeFixture::writeSquare(staging, base, QString("uvw").indexOf(base) * 100, 0, 100);
        map.viewport().resize(QSizeF(600, 400));
        LayerDisplay::show(map, state, staging, {red, green, blue});
    }
};

// Draws only what the check allowed it to draw: a map control that fails late.
class FailingMap : public DocumentSheetMap {
public:
    using DocumentSheetMap::DocumentSheetMap;
    bool draw(QPainter&, const MapExtent&, const QRect&) const override { return false; }
};

SheetSource sourceOf(SheetMap& map, const QString& scale, int plots = 3)
{
    SheetSource source;
    source.map = &map;
    source.scaleBoxText = scale;
    source.kartenanzeige = MapContent::Plots;
    const qint64 colours[] = {red, green, blue};
    for (int i = 0; i < plots; ++i)
        source.plots.append(
            {"Hof", QString("Schlag %1").arg(i), colours[i % 3], 1.0, 2026, "", ""});
    return source;
}

// A sheet of W x H twips drawn into an image with margin around it.
QImage drawImage(const SheetSource& source, const PrintOptions& options, const PageMetrics& page)
{
    QImage image((page.width() + 2 * margin) / twipsPerPixel,
                 (page.height() + 2 * margin) / twipsPerPixel, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(144 / 0.0254));
    image.setDotsPerMeterY(qRound(144 / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    SheetPainter::useTwips(painter, image);
    painter.translate(margin, margin);
    const PrintProblem problem =
        PrintRun::drawSheet(painter, page, source, options, PrintTexts(), [] { return false; });
    return problem == PrintProblem::None ? image : QImage();
}

QRgb at(const QImage& image, double xTwips, double yTwips)
{
    return image.pixel(int((xTwips + margin) / twipsPerPixel),
                       int((yTwips + margin) / twipsPerPixel));
}

// The window put back, to rounding in the last digits.
bool sameWindow(const MapExtent& a, const MapExtent& b)
{
    const double tolerance = 1e-9 * std::max(a.width(), a.height());
    return a.valid == b.valid && std::abs(a.minX - b.minX) <= tolerance &&
           std::abs(a.minY - b.minY) <= tolerance && std::abs(a.maxX - b.maxX) <= tolerance &&
           std::abs(a.maxY - b.maxY) <= tolerance;
}

// Lines thinner than a pixel of the image leave it grey.
bool dark(QRgb rgb)
{
    return qGray(rgb) < 200;
}
} // namespace

class TestPrintSheet : public QObject {
    Q_OBJECT
private slots:
    void sheetPixels_data()
    {
        QTest::addColumn<bool>("displayed");
        QTest::addColumn<QString>("scale");
        QTest::newRow("fill the width") << false << "1234";
        QTest::newRow("at 1:1000") << true << "1000";
        QTest::newRow("at 1:2500") << true << "2500";
    }
    void sheetPixels()
    {
        QFETCH(bool, displayed);
        QFETCH(QString, scale);
        Squares squares;
        DocumentSheetMap map(squares.map);
        const MapExtent before = map.window();
        const PageMetrics page{0, 0, 11000, 15000, 0, 0};
        PrintOptions options{displayed, true, false};
        const QImage image = drawImage(sourceOf(map, scale), options, page);
        QVERIFY(!image.isNull());
        QVERIFY(sameWindow(map.window(), before)); // the screen's window is back

        // Frame and header band.
        QVERIFY(dark(at(image, 0, 8000)) && dark(at(image, 11000, 8000)));
        QVERIFY(dark(at(image, 5000, 300)) && dark(at(image, 5000, 600)));
        QVERIFY(!dark(at(image, 5000, 450)));
        // Ruler ticks where the ruler puts them, paper between them.
        const double k = displayed ? 56700.0 / scale.toInt() : 11000 / before.width();
        const QList<PrintRuler::Tick> ticks = PrintRuler::ticks(k, 11000);
        QVERIFY(ticks.size() >= 4);
        for (int i = 2; i + 1 < ticks.size() - 2; i += 2) {
            QVERIFY2(dark(at(image, ticks[i].x, 565)), qPrintable(ticks[i].label));
            QVERIFY(dark(at(image, ticks[i + 1].x, 580)));
            QVERIFY(!dark(at(image, (ticks[i].x + ticks[i + 1].x) / 2, 580)));
        }
        // The map: the green square in the middle 100 m wide at the sheet's
        // scale (less its outline), centred as on screen in the room above
        // the list band (headings, three rows, sum: 1000 twips); no plot
        // colour above the map rectangle.
        const double centreX = 5500 + (150 - before.centre().x()) * k;
        const double centreY = 600 + (15000 - 600 - 1000) / 2 - (50 - before.centre().y()) * k;
        const QRgb greenPixel = QColor(Qt::green).rgb();
        QCOMPARE(at(image, centreX, centreY), greenPixel);
        int run = 0;
        for (int x = 0; x < image.width(); ++x)
            run += image.pixel(x, int((centreY + margin) / twipsPerPixel)) == greenPixel;
        QVERIFY2(qAbs(run * twipsPerPixel - 100 * k) <= 4 * twipsPerPixel,
                 qPrintable(QString("%1 twips for 100 m").arg(run * twipsPerPixel)));
        if (displayed && scale == "1000")
            QVERIFY(qAbs(run * twipsPerPixel - 5670) <= 40); // 10 cm on paper
        for (int y = 0; y < (600 + margin) / twipsPerPixel - 1; ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(QColor(image.pixel(x, y)).saturation() < 50);
        // The list at the bottom: swatches in the plots' colours.
        const PlotListLayout::Part part = PlotListLayout::paginate(3, 15000, false, 600).first();
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(at(image, 4900, part.rowY(r) + 100), colours[r - 1].rgb());
        QVERIFY(dark(at(image, 3000, part.top)));
    }

    void pages_data()
    {
        QTest::addColumn<MapContent>("kartenanzeige");
        QTest::addColumn<int>("plots");
        QTest::addColumn<bool>("ownPage");
        QTest::addColumn<int>("pages");
        QTest::newRow("3 plots on the map page") << MapContent::Plots << 3 << false << 1;
        QTest::newRow("3 plots on a page of their own") << MapContent::Plots << 3 << true << 2;
        QTest::newRow("100 plots: more than half the page, pages of their own")
            << MapContent::Plots << 100 << false << 3;
        QTest::newRow("100 plots on pages of their own") << MapContent::Plots << 100 << true << 3;
        QTest::newRow("GPS total on a page of its own")
            << MapContent::Measurements << 0 << true << 2;
    }
    void pages()
    {
        QFETCH(MapContent, kartenanzeige);
        QFETCH(int, plots);
        QFETCH(bool, ownPage);
        Squares squares;
        DocumentSheetMap map(squares.map);
        SheetSource source = sourceOf(map, "1000", plots);
        source.kartenanzeige = kartenanzeige;
        source.gpsRows = 2;
        source.areaBoxText = "3,0000";
        const QString file = squares.folder.file("sheet.pdf");
        PdfFileTarget target(file, PdfFileTarget::pageLayout(QPageSize::A4, QPageLayout::Portrait));
        const PrintOutcome outcome =
            PrintRun::printSheet(target, source, {false, true, ownPage}, PrintTexts());
        QVERIFY(outcome.ok());
        QFile pdf(file);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QTEST(pdfPageCount(pdf.readAll()), "pages");
    }

    // A run that fails or is refused leaves the file that was there, no new
    // file, the map's window and the pointer as they were.
    void failedRunLeavesNothing_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("map"); // good, failing, unsized
        QTest::addColumn<int>("problem");
        QTest::newRow("printed") << "1000" << QString("good") << int(PrintProblem::None);
        QTest::newRow("map control fails while drawing")
            << "1000" << QString("failing") << int(PrintProblem::NothingToDraw);
        QTest::newRow("scale 0") << "0" << QString("good") << int(PrintProblem::ScaleNotPositive);
        QTest::newRow("map without a visible width")
            << "1000" << QString("unsized") << int(PrintProblem::NoVisibleExtent);
    }
    void failedRunLeavesNothing()
    {
        QFETCH(QString, scale);
        QFETCH(QString, map);
        QFETCH(int, problem);
        Squares squares;
        if (map == "unsized")
            squares.map.viewport().resize(QSizeF(0, 0));
        DocumentSheetMap good(squares.map);
        FailingMap failing(squares.map);
        SheetMap& sheetMap = map == "failing" ? static_cast<SheetMap&>(failing) : good;
        const MapExtent before = sheetMap.window();
        const QString file = squares.folder.writeFile("out/sheet.pdf", "earlier file");
        PdfFileTarget target(file, PdfFileTarget::pageLayout(QPageSize::A4, QPageLayout::Portrait));
        const PrintOutcome outcome =
            PrintRun::printSheet(target, sourceOf(sheetMap, scale), {true, true, true}, {});
        QCOMPARE(int(outcome.problem), problem);
        QVERIFY(sameWindow(sheetMap.window(), before));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(QDir(squares.folder.file("out")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"sheet.pdf"});
        QCOMPARE(squares.folder.readFile("out/sheet.pdf").startsWith("%PDF"), outcome.ok());
    }

    void printCommand()
    {
        TestFolder folder;
        QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
        for (const QString farm : {"Hof A", "Hof B"})
            ShapeFixture::writeSquare(folder.makeFolder(farm), "acker", 0, 0, 100);
        folder.makeFolder("Hof ohne Schlag");
        const QString pdf = folder.file("farms.pdf");
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        const QStringList args = {"--folder", folder.path(), "--out",       pdf,
                                  "--list",   "--own-page",  "--subtotals", "--labels"};
        QCOMPARE(runCommand("print", args, out, err), 0);
        QVERIFY2(errText.contains("Hof ohne Schlag: no plots to draw"), qPrintable(errText));
        QVERIFY(outText.contains("2 sheets"));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(pdfPageCount(file.readAll()), 4);
        // Each sheet's title line names its farm; one farm: no farm column.
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        if (text.waitForFinished(30000) && text.exitCode() == 0) {
            const QString pages = QString::fromUtf8(text.readAllStandardOutput());
            QVERIFY2(pages.contains(QString::fromUtf8("Sorvan-GIS-Viewer – Hof A")) &&
                         pages.contains(QString::fromUtf8("Sorvan-GIS-Viewer – Hof B")),
                     qPrintable(pages));
            QVERIFY(!pages.contains("Betrieb"));
            // A crop subtotal for the plot without crop, and the plot's label on the map.
            QCOMPARE(pages.count("Zwischensumme ohne Kultur:"), 2);
            QCOMPARE_GE(pages.count("acker"), 4);
        }

        const QString other = folder.file("none.pdf");
        QCOMPARE(runCommand("print", {"--folder", folder.path(), "--out", other, "--farm", "Hof C"},
                                 out, err),
                 1);
        QCOMPARE(runCommand("print", {"--folder", folder.path(), "--out", other, "--subtotals"}, out,
                            err),
                 2);
        QVERIFY(!QFile::exists(other));
    }

    void renderCommand_data()
    {
        QTest::addColumn<QStringList>("args"); // after --folder DIR --out OUT
        QTest::addColumn<QString>("out");      // in the program folder
        QTest::addColumn<QString>("existing"); // what stands at out before: "", "file", "folder"
        QTest::addColumn<int>("code");
        QTest::addColumn<QSize>("size"); // of the picture written; empty: out is as it was
        QTest::newRow("every farm") << QStringList() << "map.png" << "" << 0 << QSize(1200, 900);
        QTest::newRow("one farm, named in other case, replaces a file")
            << QStringList{"--farm", "hof b", "--size", "300x200", "--scale", "5000"}
            << "Map.PNG" << "file" << 0 << QSize(300, 200);
        QTest::newRow("unknown farm") << QStringList{"--farm", "Hof C"} << "map.png" << "file" << 1
                                      << QSize(0, 0);
        QTest::newRow("a folder in the way") << QStringList() << "map.png" << "folder" << 1
                                             << QSize(0, 0);
        QTest::newRow("a link is not replaced") << QStringList() << "map.png" << "link" << 1
                                                << QSize(0, 0);
        QTest::newRow("with labels") << QStringList{"--labels", "--size", "600x400"} << "map.png"
                                     << "" << 0 << QSize(600, 400);
        QTest::newRow("SVG drawing") << QStringList{"--labels", "--size", "640x480"} << "map.SVG"
                                     << "" << 0 << QSize(640, 480);
    }
    void renderCommand()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        QFETCH(QString, existing);
        QFETCH(QSize, size);
        TestFolder folder;
        writeTwoSquareFarms(folder);
        const QString path = folder.file(out);
        if (existing == "file")
            folder.writeFile(out, "old");
        else if (existing == "folder")
            folder.makeFolder(out);
        else if (existing == "link")
            QVERIFY(QFile::link(folder.writeFile("elsewhere.png", "old"), path));
        QString outText, errText;
        QTextStream outStream(&outText), err(&errText);
        QTEST(runCommand("render", QStringList{"--folder", folder.path(), "--out", path} + args,
                               outStream, err),
              "code");
        const QImage picture(path);
        if (out.endsWith(".SVG")) { // a drawing of the size asked for, the plots as paths
            const QByteArray svg = folder.readFile(out);
            QVERIFY(svg.startsWith("<?xml") && svg.trimmed().endsWith("</svg>"));
            const QString box =
                QString("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height());
            QVERIFY(svg.contains(box.toUtf8()));
            QVERIFY(svg.contains("<path") && !picture.isNull());
        } else {
            QCOMPARE(picture.size(), size);
        }
        if (size.isEmpty()) { // nothing written, nothing left behind
            QCOMPARE(QFileInfo(path).isDir(), existing == "folder");
            QCOMPARE(QFileInfo(path).isSymLink(), existing == "link");
            if (existing == "file" || existing == "link")
                QCOMPARE(folder.readFile(out), QByteArray("old"));
            QCOMPARE(QDir(folder.path()).entryList({".*.png*"}, QDir::Files | QDir::Hidden),
                     QStringList());
            return;
        }
        // The plots are drawn filled (in their rows' colours) inside the 5 % margin.
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                drawn += picture.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY2(drawn > picture.width() * picture.height() / 50, qPrintable(errText));
        for (int x = 0; x < picture.width(); ++x)
            QCOMPARE(picture.pixel(x, 0), qRgb(255, 255, 255));
        // Labels: near-black letters, darker than any outline.
        int letters = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                letters += qGray(picture.pixel(x, y)) < 32;
        QCOMPARE(letters > 20, args.contains("--labels"));
    }
};

QTEST_MAIN(TestPrintSheet)
#include "tst_printsheet.moc"
