#pragma once

#include <QList>
#include <QString>

#include <functional>

// The distance marks of the on-screen ruler above the map, in twips from the
// left end of the strip. k is twips per metre of the visible map.
struct RulerMark {
    double x = 0;             // twips
    bool major = true;        // main mark (225..300) or minor mark (255..300)
    QString label;            // empty for minor marks
    bool leftAligned = false; // the "0km"/"0m" label starts at x instead of centring on it
};

namespace RulerMarks {

// Marks for the bands that k falls into (a value on a shared boundary
// draws both bands); stops each band at the first main mark beyond
// stripWidth. Labels use the locale's decimal sign.
QList<RulerMark> compute(double k, double stripWidth);

// Clears the labels that would run into the label before them (closer than
// gap), so that a narrow band stays legible; the marks themselves stay.
// width gives a label's width in twips. A band starts again where x falls.
void dropCrowdedLabels(QList<RulerMark>& marks, const std::function<double(const QString&)>& width,
                       double gap);

} // namespace RulerMarks
