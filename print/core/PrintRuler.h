#pragma once

#include <QList>
#include <QString>

// The distance ruler of the printed sheet along the bottom of the header
// band: a long tick and a label at every main step, a short tick half a step
// further. The band (unit, step and label format) follows from k, paper
// twips per metre of ground; a k on a band boundary belongs to the lower band.
namespace PrintRuler {

enum class Band { None, A, B, C, D, E, F };

struct Tick {
    double x = 0;              // twips from the left edge of the printable area
    bool main = true;          // long tick (y0 + 225 to y0 + 300) or short (y0 + 255 to y0 + 300)
    QString label;             // main ticks only
    bool labelAtStart = false; // "0km" / "0m": starts at x 0 instead of centred on x
};

// A: 0.002 <= k <= 0.03, 100 km steps; B: <= 0.3, 10 km; C: <= 3, 1 km;
// D: <= 25, 0.1 km; E: <= 200, 10 m; F: <= 99999, 1 m. None outside.
Band band(double k);

// Ticks from 0 while the main tick's x does not exceed pageWidth; each main
// tick is followed by its short tick where that lies within pageWidth: every
// mark stays inside the frame. Labels of
// kilometre bands use the locale's decimal sign and no grouping (one decimal
// in band D); metre labels are plain whole numbers.
QList<Tick> ticks(double k, double pageWidth);

} // namespace PrintRuler
