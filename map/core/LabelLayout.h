#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>

// Which labels are drawn: pure arithmetic in the painter's units, so a test
// decides it without a window.
namespace LabelLayout {

struct Candidate {
    QPointF centre;  // the label point on the target
    QSizeF text;     // the label's text block
    double room = 0; // radius of the largest circle inside the plot there
    QSizeF plot;     // the plot's bounding box on the target

    QRectF box() const
    {
        return QRectF(centre - QPointF(text.width() / 2, text.height() / 2), text);
    }
};

// Whether the plot is big enough on the target to carry its label: the
// text's height fits into the inscribed circle and the plot is at least as
// wide as the text.
bool fits(const Candidate& candidate);

// The candidates drawn, as indexes, in the order they are drawn: those that
// fit, the roomiest first, each kept only when its box (grown by gap on
// every side) overlaps no box kept before.
QList<int> place(const QList<Candidate>& candidates, double gap);

} // namespace LabelLayout
