#pragma once

#include <QFont>
#include <QStringList>

class QPagedPaintDevice;

// The print run of Form1's Command1, shared by the printer and the tests (which
// print into a QPdfWriter): every line of a listing as a line of its own, from
// the top of the device's paint area down. Before a line that would not fit
// below the previous one a new page begins; an empty line takes the height of
// a line. The device must not be painted on yet.
namespace ListingPrint {

// The font of the listing: 10 point "Liberation Mono" (fontconfig's stand-in
// for Courier New), so that the columns of the point lines stay aligned.
QFont listingFont();

// Prints lines on device and ends the document; returns the number of pages,
// or -1 when painting on the device cannot begin (a file that cannot be
// written, a printer that refuses). Nothing is printed for no lines (0).
int print(QPagedPaintDevice& device, const QStringList& lines, const QFont& font = listingFont());

// How many lines of font fit on one page of the device's paint area (at least 1).
int linesPerPage(QPagedPaintDevice& device, const QFont& font = listingFont());

} // namespace ListingPrint
