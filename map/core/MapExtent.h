#pragma once

#include <QPointF>

#include <algorithm>
#include <cmath>

// An axis-parallel window of map coordinates in metres, y growing upwards.
// Unlike QRectF it keeps zero-width and zero-height windows (a single point,
// a vertical line) when united, and it knows an explicit "no extent" state.
struct MapExtent {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
    bool valid = false;

    static MapExtent of(double x1, double y1, double x2, double y2)
    {
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
            return {};
        return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), true};
    }

    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    // Halves added rather than the sum halved, so that huge values cannot overflow.
    QPointF centre() const { return {minX / 2.0 + maxX / 2.0, minY / 2.0 + maxY / 2.0}; }

    void include(double x, double y)
    {
        if (!valid) {
            *this = {x, y, x, y, true};
            return;
        }
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    }

    void include(const MapExtent& other)
    {
        if (!other.valid)
            return;
        include(other.minX, other.minY);
        include(other.maxX, other.maxY);
    }

    // Touching edges count as intersecting, so outlines on the border are drawn.
    bool intersects(const MapExtent& other) const
    {
        return valid && other.valid && minX <= other.maxX && other.minX <= maxX &&
               minY <= other.maxY && other.minY <= maxY;
    }

    // Widened by fraction of its width and height on every side.
    MapExtent widened(double fraction) const
    {
        if (!valid)
            return *this;
        const double dx = width() * fraction;
        const double dy = height() * fraction;
        return {minX - dx, minY - dy, maxX + dx, maxY + dy, true};
    }

    bool operator==(const MapExtent&) const = default;
};
