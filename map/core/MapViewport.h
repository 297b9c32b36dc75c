#pragma once

#include "MapExtent.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

// The visible window of the map on a widget of a given size in pixels.
//
// Map coordinates are metres with y up; pixel coordinates run from the
// widget's top left corner with y down. Whenever the size is known the window
// has the widget's aspect ratio, so a metre is as many pixels across as up.
//
// Scale is the denominator n of 1:n: with k = widget width in twips (15 per
// pixel) / window width in metres, n = 56700 / k, i.e. 3780 x metres per pixel.
//
// Degenerate input never yields infinities or NaN: non-finite numbers and
// non-positive factors or scales are ignored (the call returns false and the
// window stays), metres per pixel are kept within [minMetresPerPixel,
// maxMetresPerPixel], and a window of a single point only moves the centre.
class MapViewport {
public:
    enum class ResizeMode {
        KeepScale,           // centre and metres per pixel stay; more or less ground shows
        KeepRequestedWindow, // the window last asked for is fitted anew
    };

    // Share of the data extent's width and height added on every side by zoomAll,
    // so that outlines on the border stay visible.
    static constexpr double zoomAllMargin = 0.05;
    static constexpr double minMetresPerPixel = 1e-6;
    static constexpr double maxMetresPerPixel = 1e6;

    // Shows the square from 0 to 1000 m in x and y; no size yet.
    MapViewport();

    QSizeF size() const { return m_size; }
    bool hasSize() const;
    // Without a size (zero or negative width or height) the window is kept
    // as it is and scale() is 0. Gaining a size always fits the requested window.
    void resize(const QSizeF& pixels, ResizeMode mode = ResizeMode::KeepScale);

    MapExtent window() const;
    double minX() const { return m_centreX - m_halfWidth; }
    double minY() const { return m_centreY - m_halfHeight; }
    double maxX() const { return m_centreX + m_halfWidth; }
    double maxY() const { return m_centreY + m_halfHeight; }
    QPointF centre() const { return {m_centreX, m_centreY}; }

    // Metres per pixel; 0 without a size.
    double metresPerPixel() const;
    // Scale denominator; 0 without a size.
    double scale() const;
    // Keeps the centre. False (nothing changes) for n <= 0, non-finite n or no size.
    bool setScale(double denominator);

    // Shows at least extent, centred, widened in x or y to the widget's aspect
    // ratio. A single point keeps the scale and moves the centre there.
    bool setExtent(const MapExtent& extent);
    // setExtent of data widened by zoomAllMargin; false when data is invalid.
    bool zoomAll(const MapExtent& data);
    // Divides the window's width and height by factor about the centre:
    // 1.25 enlarges the map, 0.8 reduces it.
    bool zoomBy(double factor);
    // Moves the centre to (x, y), then zooms by factor; 1.0 keeps the scale.
    // A non-positive factor only moves the centre.
    bool zoomAt(double x, double y, double factor);

    // Mouse navigation; each needs a size and returns false (window kept) without one.
    // Zooms by factor keeping the ground under pixel where it is on screen.
    bool zoomAbout(const QPointF& pixel, double factor);
    // Moves the ground with the pointer: a drag by delta pixels (x right, y down).
    bool panByPixels(const QPointF& delta);
    // Shows at least the ground inside box, a rectangle in pixels; false when
    // box has no width or no height.
    bool zoomToPixels(const QRectF& box);

    // Without a size one pixel counts as one metre.
    QPointF toPixel(const QPointF& world) const;
    QPointF toWorld(const QPointF& pixel) const;

    // The transform from map coordinates to target that shows all of window,
    // equally scaled in x and y and centred in target. False when window has
    // neither width nor height or target is empty.
    static bool fitTransform(const MapExtent& window, const QRectF& target, QTransform* transform);

private:
    void fit(const MapExtent& extent);
    void setMetresPerPixel(double metresPerPixel);

    double m_centreX = 500.0;
    double m_centreY = 500.0;
    double m_halfWidth = 500.0;
    double m_halfHeight = 500.0;
    QSizeF m_size;
    MapExtent m_requested;
};
