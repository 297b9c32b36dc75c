#pragma once

#include <QColor>

// Colours of plots are stored as 32-bit values red + 256 * green + 65536 * blue.
// Only the low 24 bits carry the colour; higher bits are ignored.
namespace BgrColour {

inline QColor toColor(int bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace BgrColour
