#pragma once

#include <optional>

#include <QRectF>
#include <QString>

// Rules of the main window's navigation that need no window: zoom limits, pan
// shifts and the scale box's text.
namespace MapNavigation {

constexpr double minScale = 1.0;
constexpr double maxScale = 10000000.0;
constexpr int scaleBoxMaxLength = 7;

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

// The scale denominator typed into the scale box: the number at the start of
// the text rounded to the nearest whole number, 0 when there is none.
qint32 scaleFromText(const QString& text);
// A typed scale as the box accepts it: a whole number of 1 or more, digits
// only (blanks around allowed); nothing for any other text.
std::optional<qint32> wholeScale(const QString& text);

} // namespace MapNavigation
