#include "RulerMarks.h"

#include <QLocale>
#include <cmath>

namespace RulerMarks {

namespace {
struct Band {
    double kFrom, kTo;
    bool km;
    double step, last, minorOffset;
    int decimals; // -1: plain decimal
};

const Band bands[] = {
    {0.002, 0.03, true, 100, 10000, 50, 0}, {0.03, 0.3, true, 10, 10000, 5, 0},
    {0.3, 3, true, 1, 1000, 0.5, 0},        {3, 25, true, 0.1, 1000, 0.05, 1},
    {25, 200, false, 10, 1000, 5, -1},      {200, 99999, false, 1, 1000, 0.5, -1},
};
} // namespace

QList<RulerMark> compute(double k, double stripWidth)
{
    QList<RulerMark> marks;
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    for (const Band& band : bands) {
        if (!(k >= band.kFrom && k <= band.kTo))
            continue;
        const double unit = band.km ? 1000.0 * k : k;
        const int count = int(std::floor(band.last / band.step + 0.5));
        for (int i = 0; i <= count; ++i) {
            const double d = i * band.step;
            const double x = d * unit;
            // d is a multiple of a step such as 0.1 that has no exact binary
            // form; a mark that lands on the end of the strip still counts.
            if (x > stripWidth * (1 + 1e-12))
                break;
            RulerMark main;
            main.x = x;
            if (i == 0) {
                main.label = band.km ? QStringLiteral("0km") : QStringLiteral("0m");
                main.leftAligned = true;
            } else if (band.decimals >= 0) {
                main.label = locale.toString(d, 'f', band.decimals);
            } else {
                main.label = locale.toString(d, 'g', 15);
            }
            marks.append(main);
            RulerMark minor;
            minor.x = (d + band.minorOffset) * unit;
            minor.major = false;
            marks.append(minor);
        }
    }
    return marks;
}

void dropCrowdedLabels(QList<RulerMark>& marks, const std::function<double(const QString&)>& width,
                       double gap)
{
    double previousX = -1, previousRight = -1;
    for (RulerMark& mark : marks) {
        if (!mark.major)
            continue;
        if (mark.x < previousX) // the next band
            previousRight = -1;
        previousX = mark.x;
        if (mark.label.isEmpty())
            continue;
        const double labelWidth = width(mark.label);
        const double left = mark.leftAligned ? mark.x : mark.x - labelWidth / 2;
        if (previousRight >= 0 && left < previousRight + gap) {
            mark.label.clear();
            continue;
        }
        previousRight = left + labelWidth;
    }
}

} // namespace RulerMarks
