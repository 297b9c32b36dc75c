#pragma once

#include <optional>

#include "ScaleText.h"

#include <QRectF>
#include <QString>

// Rules of the main window's navigation that need no window: zoom limits, pan
// shifts and the scale box's text.
namespace MapNavigation {

constexpr double minScale = 1.0;
constexpr double maxScale = 10000000.0;
constexpr int scaleBoxMaxLength = ScaleText::scaleBoxMaxLength;

// True when zooming by factor (> 1 in, < 1 out) from scale stays within the
// limits: s / f not below 1 when zooming in, not above 10,000,000 when out.
bool zoomAllowed(qint32 scale, double factor);

enum class Direction { Left, Right, Up, Down };

struct Extent {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool operator==(const Extent&) const = default;
};

// The visible window shifted by percent. A horizontal shift is a share of
// the window's height, a vertical one a share of its width.
Extent panned(const Extent& extent, Direction direction, double percent);

// The scale box's text is read as map/core's ScaleText reads it.
using ScaleText::scaleFromText;
using ScaleText::wholeScale;

} // namespace MapNavigation
