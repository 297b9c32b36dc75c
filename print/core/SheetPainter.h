#pragma once

#include "PlotListLayout.h"
#include "PrintRuler.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPaintDevice;
class QPainter;

// The drawing steps of a sheet on a painter whose unit is the twip, with
// the origin at the top-left corner of the printable area. Texts are placed
// by their top-left corner, as a printer's current position places them.
namespace SheetPainter {

// Line widths in twips: the printer's pen widths 4 and 2 counted in pixels of
// a 300-dpi printer, so that the lines look alike on every device.
constexpr double frameWidth = 4 * 4.8;
constexpr double lineWidth = 2 * 4.8;

// Puts painter (begun on device) into twips.
void useTwips(QPainter& painter, const QPaintDevice& device);
// "Arial" of size points (fontconfig's metric twin where Arial is missing).
QFont arial(int points, bool bold = false);

void drawText(QPainter& painter, double x, double y, const QString& text);
// Text ending at right, its top at y.
void drawTextEndingAt(QPainter& painter, double right, double y, const QString& text);
double textWidth(const QPainter& painter, const QString& text);

// Title in Arial 10 at (0, 0) and the frame from y 300 to height.
void drawTitleAndFrame(QPainter& painter, const QString& title, int width, int height);
// The header band's lower line at y 600 and the scale label right-aligned on
// the title line.
void drawHeader(QPainter& painter, const QString& scaleLabel, int width);
// The ruler's ticks and labels in Arial 6 under the header band's top y0;
// a label that would reach past width ends there.
void drawRuler(QPainter& painter, const QList<PrintRuler::Tick>& ticks, int y0, int width);
// The sheet's title line: the program's title, then the farms the sheet
// shows, cut with "…" where they would reach into the room of the scale
// label right of them (room in twips).
QString sheetTitle(const QString& programTitle, const QStringList& farms, double room);

// One part of the plot list: frame, headings, its lines, and the sum line
// when the part has it. A subtotal line shows its name as its label (crop
// subtotals in italics, farm subtotals in bold). rowsBold keeps the rows in
// the headings' bold font.
void drawListPart(QPainter& painter, const PlotListLayout::Part& part,
                  const QList<PlotListRow>& rows, const QList<PlotListLayout::Line>& lines,
                  const QStringList& headings, const QString& sumLabel, double sumHa, bool rowsBold,
                  int width);
// The GPS total line right-aligned in the last 200 twips above height.
void drawGpsTotal(QPainter& painter, const QString& text, int width, int height);

} // namespace SheetPainter
