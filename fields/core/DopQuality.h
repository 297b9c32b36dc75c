#pragma once

#include <QString>

#include <optional>

class SettingsStore;
struct ProgramState;

// GPS quality at a glance: a measurement whose largest DOP lies above the
// threshold is marked in the GPS grid and in the field grid's maxDOP column.
// The threshold is chosen in the Einstellung menu and kept in the settings
// store (key "dopgrenze", "." as the decimal sign).
namespace DopQuality {

constexpr double defaultThreshold = 4.0;
// The values the dialog takes.
constexpr double leastThreshold = 0.1;
constexpr double largestThreshold = 99.9;

// The stored threshold; the default when none is stored or it is no number
// within the limits.
double readThreshold(const SettingsStore* settings);
void saveThreshold(SettingsStore* settings, double threshold);

// Whether a measurement with this largest DOP is marked: a known value
// above the threshold. Plots without a measurement (maxDOP 0) never are.
bool marked(std::optional<double> maxDop, double threshold);

// Why it is marked, e.g. "max. DOP 6.2 > 4" in the current language and the
// user's number format; "" when it is not.
QString reason(const ProgramState& state, std::optional<double> maxDop, double threshold);

// A DOP value as the marks show it: in the user's number format, without
// trailing zeros, so that 4.04 never reads as the threshold 4.
QString shown(double value);

} // namespace DopQuality
