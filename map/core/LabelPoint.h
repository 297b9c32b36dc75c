#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>

// Where a plot's label goes: a point well inside the polygon, the centre of
// (approximately) the largest circle that fits inside it, so that a bent or
// L-shaped plot gets its label in its widest place rather than at its
// centroid, which may lie outside. Pure geometry in map units.
struct LabelPoint {
    QPointF at;
    double radius = 0; // of the inscribed circle around at, in map units
    bool valid = false;

    // The point for a polygon given as rings (outer rings and holes, any
    // orientation; a ring inside an odd number of others is a hole). Of
    // several parts, the largest by area (holes taken off) carries the
    // label. precision is in map units; 0: a hundredth of the part's larger
    // side. Invalid when no ring encloses any area.
    static LabelPoint of(const QList<QPolygonF>& rings, double precision = 0);

    // Signed distance from p to the rings' edges: positive inside (odd-even
    // rule), negative outside.
    static double signedDistance(const QPointF& p, const QList<QPolygonF>& rings);
};
