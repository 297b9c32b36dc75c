#pragma once

#include "MapExtent.h"

#include <QRect>

class QPainter;

// What the print run needs of a map: its window and scale on screen, a scale
// it may set for the print (the window is put back afterwards), and drawing
// a window into a rectangle of a painter.
class SheetMap {
public:
    virtual ~SheetMap() = default;

    virtual MapExtent window() const = 0;
    // Scale denominator n of 1:n on screen; 0 while the map has no size.
    virtual double scale() const = 0;
    // Keeps the centre; false when the scale was not taken.
    virtual bool setScale(qint32 denominator) = 0;
    // Puts a window read with window() back.
    virtual void restoreWindow(const MapExtent& window) = 0;
    // Whether draw() would draw anything into rect.
    virtual bool canDraw(const MapExtent& window, const QRect& rect) const = 0;
    // Draws at least window into rect (painter coordinates); false when
    // nothing was drawn.
    virtual bool draw(QPainter& painter, const MapExtent& window, const QRect& rect) const = 0;
    // Draws the plot labels over what draw() drew (MapLabels); returns how
    // many were drawn.
    virtual int drawLabels(QPainter& painter, const MapExtent& window, const QRect& rect) const = 0;
};
