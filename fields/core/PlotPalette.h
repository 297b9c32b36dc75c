#pragma once

#include <QString>

// Fill colours for new plot rows: twelve clearly distinct colours, light
// enough that dark outlines and labels stay readable on them. Values are
// stored like Farbe: red + 256 * green + 65536 * blue; never 0 (black).
namespace PlotPalette {

int size();

// The colour at index (taken modulo the palette's size; negative counts back).
qint64 colourAt(int index);

// The colour of a new row: the same colour for the same crop (Kultur,
// ignoring case and blanks around it) in every farm and every run; without a
// crop, the colour at indexInFarm, so a farm's plots cycle through the palette.
qint64 colourFor(const QString& kultur, int indexInFarm);

} // namespace PlotPalette
