#include "ScaleText.h"

#include <cmath>
#include <limits>

namespace ScaleText {

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

std::optional<qint32> commandScale(const QString& text)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value <= 0 || text.size() > scaleBoxMaxLength)
        return std::nullopt;
    return qint32(value);
}

QString commandScaleRefusal(const QString& text)
{
    return QStringLiteral("the scale must be a whole number from 1 to 9999999: ") + text;
}

} // namespace ScaleText
