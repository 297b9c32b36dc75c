#include "DopQuality.h"

#include "MapTextKeys.h"
#include "Placeholders.h"
#include "ProgramState.h"
#include "SettingsStore.h"
#include "Texts.h"

#include <QLocale>

#include <cmath>

namespace DopQuality {

namespace {
const QString settingKey = QStringLiteral("dopgrenze");

bool usable(double threshold)
{
    return std::isfinite(threshold) && threshold >= leastThreshold &&
           threshold <= largestThreshold;
}
} // namespace

double readThreshold(const SettingsStore* settings)
{
    if (!settings)
        return defaultThreshold;
    bool ok = false;
    const double stored = settings->getSetting(settingKey, QString()).toDouble(&ok);
    return ok && usable(stored) ? stored : defaultThreshold;
}

void saveThreshold(SettingsStore* settings, double threshold)
{
    if (!settings || !usable(threshold))
        return;
    settings->saveSetting(settingKey, QString::number(threshold, 'g', 6));
    settings->sync();
}

bool marked(std::optional<double> maxDop, double threshold)
{
    return maxDop && std::isfinite(*maxDop) && *maxDop > threshold;
}

QString shown(double value)
{
    return QLocale().toString(value, 'g', 6);
}

QString reason(const ProgramState& state, std::optional<double> maxDop, double threshold)
{
    if (!marked(maxDop, threshold))
        return {};
    return fillPlaceholders(textholen(state, MapTextKeys::dopAbove),
                            {shown(*maxDop), shown(threshold)});
}

} // namespace DopQuality
