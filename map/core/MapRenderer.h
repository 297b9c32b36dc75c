#pragma once

#include "MapExtent.h"

#include <QColor>
#include <QList>
#include <QRectF>

class MapView;
class QPainter;

// How the map looks. Outline widths are in device pixels at 96 dpi and grow
// with the device's resolution, so a printed outline is as thick as on screen.
struct MapStyle {
    QColor background = Qt::white;
    QColor outline = QColor(40, 40, 40);
    double outlineWidth = 1.0;
    // Fill of polygon views given no colour; their lines and points take the outline colour.
    QColor defaultFill = QColor(192, 192, 192);
    double lineWidth = 2.0; // lines are drawn in the view's colour
    double pointSize = 5.0; // square markers in the view's colour
    bool antialiasing = true;
};

// The one routine that draws the map, for the widget, the printer and images.
namespace MapRenderer {

// Fills target with the background and draws the views into it, clipped to
// target, showing at least window, equally scaled in x and y and centred.
// target is in the painter's current coordinates. Views are drawn in list
// order: a later view lies over an earlier one. Tables and shapes outside
// the shown window are skipped. Returns false when nothing could be drawn: an empty
// target, an invalid window, or no view with any shape. *shapesDrawn (when
// given) receives the number of shapes actually drawn.
bool paint(QPainter& painter, const QRectF& target, const MapExtent& window,
           const QList<const MapView*>& views, const MapStyle& style = {},
           qint64* shapesDrawn = nullptr);

// Whether paint() would draw any map, without touching a painter.
bool canPaint(const QRectF& target, const MapExtent& window, const QList<const MapView*>& views);

} // namespace MapRenderer
