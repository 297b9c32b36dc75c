#pragma once

#include "MapContent.h"
#include "PageMetrics.h"
#include "PrintTexts.h"
#include "SheetPainter.h"
#include "SheetScale.h"

#include <QList>
#include <QPainter>
#include <QString>
#include <functional>

class QPagedPaintDevice;
class SheetMap;

// The choices of the print dialog.
struct PrintOptions {
    bool displayedScale = false; // optmassstab; false: optformatfuellend
    bool list = false;           // chkliste
    bool ownPage = false;        // chkeigeneseite
    bool labels = false;         // chkbeschriftung: plot labels on the map
    bool subtotals = false;      // chkzwischensummen: the list sums by farm and crop
};

// What one sheet shows, read from the main window (or made by the command line).
struct SheetSource {
    SheetMap* map = nullptr;
    QString scaleBoxText;           // cbomassstab
    MapContent kartenanzeige = MapContent::Nothing; // Plots: the plot total line; else GPS
    QList<PlotListRow> plots;       // the list's rows in the selection's order
    bool plotsFromSelection = true; // false: only the current plot (rows printed bold)
    int gpsRows = 0;                // rows of gpsdaten
    QString areaBoxText;            // txtflaeche
};

// Where a document goes: a printer or a file. The print run draws on
// device(); abort() is called while the painter is still active, close()
// after it has ended, with whether the document is complete.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    virtual QPagedPaintDevice* device() = 0;
    virtual QString name() const = 0; // printer or file, for messages
    virtual void abort() {}
    // False when the finished document could not be delivered.
    virtual bool close(bool complete) = 0;
};

// What went wrong in a print run; nothing is left open in any case.
enum class PrintProblem {
    None,
    PageTooSmall,
    NoVisibleExtent,
    ScaleNotPositive,
    NothingToDraw,  // the map has nothing to draw
    DeviceRefused,  // painting on the printer or file could not begin
    DeliveryFailed, // the document could not be finished or written
};

struct PrintOutcome {
    PrintProblem problem = PrintProblem::None;
    int sheets = 0;
    bool ok() const { return problem == PrintProblem::None; }
};

// One print document of one or more sheets. A sheet is checked before
// anything of it is drawn: a sheet that cannot be printed leaves the
// document as it was. The map's window is put back after every sheet. A
// document that is neither finished nor given up by the end of the object's
// life is aborted.
class PrintDocument {
public:
    PrintDocument(PrintTarget& target, PrintTexts texts);
    ~PrintDocument();
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;

    // Begins the document with the first sheet, a new page for the next.
    PrintProblem addSheet(const SheetSource& source, const PrintOptions& options);
    // Ends the document and delivers it; NothingToDraw when no sheet was added.
    PrintProblem finish();
    // Gives the document up: nothing is delivered.
    void abort();

private:
    PrintTarget& m_target;
    PrintTexts m_texts;
    QPainter m_painter;
    int m_sheets = 0;
    bool m_closed = false;
};

namespace PrintRun {

// The whole run for one sheet: checks, begins, draws, ends and delivers;
// aborts on any failure. Shows the wait pointer meanwhile.
PrintOutcome printSheet(PrintTarget& target, const SheetSource& source, const PrintOptions& options,
                        const PrintTexts& texts);

// Checks a sheet against the page without drawing it.
PrintProblem check(const SheetSource& source, const PrintOptions& options, const PageMetrics& page,
                   const PrintTexts& texts);

// Draws a sheet on a painter in twips (SheetPainter::useTwips) over a page
// of the metrics; newPage starts a further page (false: the device refused,
// the sheet ends there). Sets the map's scale for the print and puts its
// window back before returning.
PrintProblem drawSheet(QPainter& painter, const PageMetrics& page, const SheetSource& source,
                       const PrintOptions& options, const PrintTexts& texts,
                       const std::function<bool()>& newPage);

} // namespace PrintRun
