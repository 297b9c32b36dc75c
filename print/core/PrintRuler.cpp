#include "PrintRuler.h"

#include <QLocale>

#include <algorithm>

namespace PrintRuler {

namespace {
// The counter is a fixed-point number of 1/10,000 of the unit, so that steps
// of 0.1 add up exactly.
constexpr qint64 one = 10000;

struct BandRule {
    Band band;
    double kTo; // upper end, inclusive; the lower end is the previous band's
    bool km;
    qint64 step, half, last; // in 1/10,000 of the unit
    int decimals;            // of the label; -1 plain whole number
};

constexpr double kFrom = 0.002;
const BandRule rules[] = {
    {Band::A, 0.03, true, 100 * one, 50 * one, 10000 * one, 0},
    {Band::B, 0.3, true, 10 * one, 5 * one, 10000 * one, 0},
    {Band::C, 3, true, 1 * one, one / 2, 1000 * one, 0},
    {Band::D, 25, true, one / 10, one / 20, 1000 * one, 1},
    {Band::E, 200, false, 10 * one, 5 * one, 1000 * one, -1},
    {Band::F, 99999, false, 1 * one, one / 2, 1000 * one, -1},
};

const BandRule* ruleFor(double k)
{
    if (!(k >= kFrom))
        return nullptr;
    for (const BandRule& rule : rules)
        if (k <= rule.kTo)
            return &rule;
    return nullptr;
}
} // namespace

Band band(double k)
{
    const BandRule* rule = ruleFor(k);
    return rule ? rule->band : Band::None;
}

QList<Tick> ticks(double k, double pageWidth)
{
    QList<Tick> result;
    const BandRule* rule = ruleFor(k);
    if (!rule)
        return result;
    const double twipsPerUnit = (rule->km ? 1000.0 : 1.0) * k;
    const auto xOf = [&](qint64 i) { return double(i) * twipsPerUnit / one; };
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    for (qint64 i = 0; i <= rule->last; i += rule->step) {
        const double x = xOf(i);
        // A tick on the page's end still counts, whatever the last bit of x.
        if (x > pageWidth * (1 + 1e-12))
            break;
        Tick tick;
        tick.x = std::min(x, pageWidth); // on the frame, not a hair beyond
        if (i == 0) {
            tick.label = rule->km ? QStringLiteral("0km") : QStringLiteral("0m");
            tick.labelAtStart = true;
        } else if (rule->decimals >= 0) {
            tick.label = locale.toString(double(i) / one, 'f', rule->decimals);
        } else {
            tick.label = QString::number(i / one);
        }
        result.append(tick);
        Tick minor;
        minor.x = xOf(i + rule->half);
        minor.main = false;
        if (minor.x <= pageWidth)
            result.append(minor);
    }
    return result;
}

} // namespace PrintRuler
