#pragma once

#include "MapExtent.h"

#include <QColor>
#include <QList>
#include <QRectF>

#include <memory>

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

class RenderCache;
namespace MapRenderer {
bool paint(QPainter& painter, const QRectF& target, const MapExtent& window,
           const QList<const MapView*>& views, const MapStyle& style, qint64* shapesDrawn,
           RenderCache* cache);
}

// What paint() keeps between paints of the same views at the same scale: the
// shapes reduced to the pixel grid in one flat list, so that a repaint or a
// pan draws without walking every table again. One per map on screen; it
// holds on to the tables it lists until the views change or clear(). The
// reduced shapes of the picture before stay too (not its tables), so that
// new views of tables drawn at the same scale shortly before, as when going
// back from one farm to all, reduce only what they add.
class RenderCache {
public:
    RenderCache();
    ~RenderCache();
    RenderCache(const RenderCache&) = delete;
    RenderCache& operator=(const RenderCache&) = delete;
    void clear();

    struct Data;

private:
    friend bool MapRenderer::paint(QPainter&, const QRectF&, const MapExtent&,
                                   const QList<const MapView*>&, const MapStyle&, qint64*,
                                   RenderCache*);
    std::unique_ptr<Data> m_data;
    std::unique_ptr<Data> m_former; // the picture before, for its reduced shapes
};

// The one routine that draws the map, for the widget, the printer and images.
namespace MapRenderer {

// Fills target with the background and draws the views into it, clipped to
// target, showing at least window, equally scaled in x and y and centred.
// target is in the painter's current coordinates. Views are drawn in list
// order: a later view lies over an earlier one. Tables and shapes outside
// the shown window are skipped. Returns false when nothing could be drawn: an empty
// target, an invalid window, or no view with any shape. *shapesDrawn (when
// given) receives the number of shapes actually drawn. With cache, the
// shapes are taken from and kept in it; the picture is the same.
bool paint(QPainter& painter, const QRectF& target, const MapExtent& window,
           const QList<const MapView*>& views, const MapStyle& style = {},
           qint64* shapesDrawn = nullptr, RenderCache* cache = nullptr);

// Whether paint() would draw any map, without touching a painter.
bool canPaint(const QRectF& target, const MapExtent& window, const QList<const MapView*>& views);

} // namespace MapRenderer
