#pragma once

#include <QColor>

// The colour that ties a chosen plot on the map to its row in a grid: its
// outline on the map and the frame around the current row.
namespace MapHighlight {
inline QColor colour()
{
    return QColor(0, 220, 255);
}
} // namespace MapHighlight
