#pragma once

// Screen and printer positions of the program are kept in twips:
// 1440 per inch, 56.7 per millimetre, 15 per logical screen pixel (96 dpi).
namespace Twips {
constexpr int perPixel = 15;
constexpr double perInch = 1440.0;
constexpr double perMillimetre = 56.7;
constexpr double perMetre = 56700.0;

constexpr int fromPixels(int pixels)
{
    return pixels * perPixel;
}
// Rounds to the nearest pixel.
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + perPixel / 2) / perPixel : -((-twips + perPixel / 2) / perPixel);
}
} // namespace Twips
