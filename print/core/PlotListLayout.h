#pragma once

#include <QList>
#include <QString>

// Where the plot list goes, in twips. Every row is 200 twips high: the
// headings take the first, then the plot rows, then (on the last part) the
// sum line. The list stands at the bottom of the map page, growing upwards
// but not into the header band, or on pages of its own from y 300. Rows that
// do not fit continue on further pages of their own, with the headings
// repeated and the sum line after the last row; no row is lost.
// One row of the printed plot list.
struct PlotListRow {
    QString farm;      // ordner
    QString label;     // PlotListLayout::plotLabel
    qint64 colour = 0; // farbe: red + 256 x green + 65536 x blue
    double areaHa = 0;
    int year = 0;
    QString crop;
    QString remark;
};

namespace PlotListLayout {

constexpr int rowHeight = 200;
constexpr int ownPageTop = 300;

struct Part {
    bool newPage = false; // starts a page of its own (title and frame, no header band)
    int top = 0;          // the headings' top line
    int bottom = 0;       // the closing line
    int first = 0;        // index of the part's first line (plot row or subtotal)
    int count = 0;        // lines in this part
    bool sum = false;     // the sum line follows the rows

    // y of the part's row r (1 = first plot row; count + 1 = sum line).
    int rowY(int r) const { return top + r * rowHeight; }
    bool operator==(const Part&) const = default;
};

// The parts of a list of rows lines (plot rows and subtotals) on pages pageHeight twips high; the
// map page's list may reach up to mapTop. Empty for no rows, or when a page
// of its own cannot hold one row and the sum line.
QList<Part> paginate(int rows, int pageHeight, bool ownPage, int mapTop);

// A line of the list between the headings and the closing sum line: a plot
// row, or the subtotal of a crop or of a farm.
struct Line {
    enum Kind { Plot, CropSum, FarmSum };
    Kind kind = Plot;
    int row = -1; // a plot row's index in the rows
    QString name; // the crop or farm a subtotal sums ("" for plots without crop)
    double areaHa = 0;
    bool operator==(const Line&) const = default;
};

// The list's lines. Without subtotals, the rows in their order. With them,
// the rows grouped by farm (farms in the order they first appear, names
// compared ignoring case), within a farm by crop (in alphabetical order,
// plots without crop last, rows of one crop in their order), each crop
// followed by its subtotal and each farm by its subtotal when the list
// holds more than one farm. The grand total is the part's sum line.
QList<Line> lines(const QList<PlotListRow>& rows, bool subtotals);

// The plot label: Name, with "/" Teil and a blank in front when Teil is not
// 0, then Nummer and a blank in front when Nummer is not 0: "12 /2 Hausacker".
QString plotLabel(const QString& name, int nummer, int teil);

// An area in hectares as "###,###,##0.0000" in the locale.
QString areaText(double hectares);

struct Column {
    const char* headingKey; // control of the heading's key ("Drucken", key, "1")
    int headingCentre;      // x the heading is centred on; -1: between 8500 and W
    int textX;              // x where a cell's text starts; right end for the area
    int rightBorder;        // x of its right border line; -1: W
};
// Farm, plot, area, year, crop, remark.
const QList<Column>& columns();
// The columns as a list draws them: without the farm column (x of its
// border 0) when the sheet shows one farm; else the farm column as wide as
// farmTextWidth asks (between 1000 and 3500 twips), the plot column taking
// the rest up to the colour swatch.
QList<Column> columnsFor(bool withFarm, double farmTextWidth);
constexpr int swatchLeft = 4830, swatchRight = 4970, swatchInset = 30;

} // namespace PlotListLayout
