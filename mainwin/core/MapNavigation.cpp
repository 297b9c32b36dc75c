#include "MapNavigation.h"

#include <cmath>
#include <limits>

namespace MapNavigation {

bool zoomAllowed(qint32 scale, double factor)
{
    if (factor <= 0 || factor == 1.0)
        return false;
    const double next = double(scale) / factor;
    if (factor > 1)
        return next >= minScale;
    return next <= maxScale;
}

Extent panned(const Extent& e, Direction direction, double percent)
{
    Extent out = e;
    switch (direction) {
    case Direction::Left: {
        const double d = (e.maxY - e.minY) * percent / 100.0;
        out.minX -= d;
        out.maxX -= d;
        break;
    }
    case Direction::Right: {
        const double d = (e.maxY - e.minY) * percent / 100.0;
        out.minX += d;
        out.maxX += d;
        break;
    }
    case Direction::Up: {
        const double d = (e.maxX - e.minX) * percent / 100.0;
        out.minY += d;
        out.maxY += d;
        break;
    }
    case Direction::Down: {
        const double d = (e.maxX - e.minX) * percent / 100.0;
        out.minY -= d;
        out.maxY -= d;
        break;
    }
    }
    return out;
}

} // namespace MapNavigation
