#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

class DemoRandom;

// Plausible field outlines for the demo: irregular convex-ish polygons of 4 to
// 7 corners, elongated and turned at random, sized between 1 and 30 ha.
namespace FieldShapeGenerator {

struct Options {
    int minCorners = 4;
    int maxCorners = 7;
    double minAreaHa = 1.05;
    double maxAreaHa = 29.5;
    double marginMetres = 40; // free strip kept inside the cell on every side
};

// A closed clockwise ring (last point equals first) lying wholly inside cell
// shrunk by the margin, so outlines of different cells never touch.
// Coordinates are rounded to centimetres. A cell too small for the wanted
// area gets the largest outline that fits.
QList<QPointF> generate(DemoRandom& random, const QRectF& cell, const Options& options = {});

} // namespace FieldShapeGenerator
