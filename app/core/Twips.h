#pragma once

#include <algorithm>
#include <climits>

// Screen and printer positions of the program are kept in twips:
// 1440 per inch, 56.7 per millimetre, 15 per logical screen pixel (96 dpi).
// The conversions work in 64 bits, so any int (a stored setting, say) is safe.
namespace Twips {
constexpr int perPixel = 15;
constexpr double perInch = 1440.0;
constexpr double perMillimetre = 56.7;
constexpr double perMetre = 56700.0;

// Saturates at the ends of the int range.
constexpr int fromPixels(int pixels)
{
    return int(std::clamp(static_cast<long long>(pixels) * perPixel,
                          static_cast<long long>(INT_MIN), static_cast<long long>(INT_MAX)));
}
// Rounds to the nearest pixel.
constexpr int toPixels(int twips)
{
    const long long t = twips;
    return int(t >= 0 ? (t + perPixel / 2) / perPixel : -((-t + perPixel / 2) / perPixel));
}
} // namespace Twips
