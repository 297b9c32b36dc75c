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

qint32 scaleFromText(const QString& text)
{
    // Leading blanks skipped, digits with an optional "." fraction; the
    // scale box holds at most seven characters, so no overflow is possible,
    // but clamp anyway for text set by other means.
    const QString t = text.trimmed();
    qsizetype end = 0;
    while (end < t.size() && t.at(end).isDigit())
        ++end;
    if (end < t.size() && t.at(end) == '.') {
        ++end;
        while (end < t.size() && t.at(end).isDigit())
            ++end;
    }
    bool ok = false;
    const double value = t.left(end).toDouble(&ok);
    if (!ok)
        return 0;
    const double rounded = std::nearbyint(value);
    if (rounded > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return qint32(rounded);
}

std::optional<qint32> wholeScale(const QString& text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<qint32>::max())
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return qint32(value);
}

} // namespace MapNavigation
