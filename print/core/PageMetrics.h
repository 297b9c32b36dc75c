#pragma once

#include <QtGlobal>

class QPageLayout;

// seitenmasse: the paper of a print device in twips. The offsets are the
// distance of the printable area from the paper's top-left corner; the
// margins are what remains on the right and at the bottom. The sheet is
// drawn from the printable area's top-left corner, over width() x height().
struct PageMetrics {
    qint32 offsetX = 0;
    qint32 offsetY = 0;
    qint32 physicalWidth = 0;
    qint32 physicalHeight = 0;
    qint32 rightMargin = 0;
    qint32 bottomMargin = 0;

    // W and H of the sheet, in twips.
    qint32 width() const { return physicalWidth - offsetX - rightMargin; }
    qint32 height() const { return physicalHeight - offsetY - bottomMargin; }

    // From device measures in pixels of dotsPerInch: paper size, offset of
    // the printable area and its size. Every value is converted to twips on
    // its own, rounded to the nearest whole twip (halves to even); the
    // margins are the whole differences, so W and H are the converted
    // printable size. Margins are not clamped when a driver reports a
    // printable area reaching beyond the paper.
    static PageMetrics fromDevice(double paperWidth, double paperHeight, double offsetX,
                                  double offsetY, double printableWidth, double printableHeight,
                                  double dotsPerInch);
    // From a page layout: its full rectangle is the paper, its paint
    // rectangle the printable area (orientation applied).
    static PageMetrics fromLayout(const QPageLayout& layout);
};
