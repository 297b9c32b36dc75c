#pragma once

#include "MapExtent.h"

#include <QRect>
#include <QString>

// The scale arithmetic of a printed map sheet, in twips (56,700 per metre of
// paper). The map takes the printable width W from y = mapTop down to H.
namespace SheetScale {

constexpr qint32 titleBottom = 300; // the frame starts under the title line
constexpr qint32 mapTop = 600;      // the header band lies between 300 and 600

enum class Problem {
    None,
    PageTooSmall,     // no room for the map below the header band
    NoVisibleExtent,  // the map window has no width (or the map no size yet)
    ScaleNotPositive, // the scale typed for printing is 0 or below
};

struct Input {
    qint32 pageWidth = 0;        // W
    qint32 pageHeight = 0;       // H
    MapExtent visible;           // the map window as the screen shows it
    double mapScale = 0;         // the map's scale denominator on screen
    QString scaleBoxText;        // the scale box as typed
    QString scaleCaption;        // the scale label's caption (" Maßstab:  1: ")
    bool displayedScale = false; // print at the scale box's scale; false: fill the width
    // Height of the map's rectangle when a list band below it takes part of
    // the page (0: the map reaches down to H). Fill mode then also shrinks
    // the map until the visible height fits.
    qint32 mapHeight = 0;
};

struct Plan {
    Problem problem = Problem::None;
    double fill = 0;        // F: twips per metre when the visible width fills W
    double k = 0;           // twips per metre of ground on paper, for the ruler
    qint32 displayed = 0;   // S: the scale box's number, rounded (halves to even)
    QString label;          // printed right-aligned on the title line
    qint32 printScale = 0;  // displayed scale: the map's scale while it is printed
    double groundWidth = 0; // metres of ground across W
};

// Fill mode: the label is the caption and the whole part of the scale at
// which the visible width fills W; k = F. Displayed scale: the label is the
// caption and the scale box text as typed; k = 56,700 / S, and the map's
// scale is set to Int(S x F / (56,700 / map scale)) while it is printed, so
// that its window covers the ground the printed width shows.
Plan plan(const Input& input);

// The rectangle the map takes on the sheet, above a list band of band twips.
QRect mapRect(qint32 pageWidth, qint32 pageHeight, qint32 band = 0);

// The ground drawn into rect: centred on the map window's centre, groundWidth
// metres across and as high as rect's shape asks, so that one metre takes as
// many twips across as up.
MapExtent printWindow(const MapExtent& window, double groundWidth, const QRect& rect);

} // namespace SheetScale
