#include "MapViewport.h"

#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace {
// Bounds of the half width and height while no size is known.
constexpr double minHalfSpan = 1e-7;
constexpr double maxHalfSpan = 1e12;

double clampHalfSpan(double half)
{
    return std::clamp(half, minHalfSpan, maxHalfSpan);
}

bool isPositive(double value)
{
    return std::isfinite(value) && value > 0.0;
}
} // namespace

MapViewport::MapViewport() : m_requested(MapExtent::of(0.0, 0.0, 1000.0, 1000.0)) {}

bool MapViewport::hasSize() const
{
    return isPositive(m_size.width()) && isPositive(m_size.height());
}

void MapViewport::resize(const QSizeF& pixels, ResizeMode mode)
{
    const bool hadSize = hasSize();
    const double metresPerPixel = this->metresPerPixel();
    m_size = pixels;
    if (!hasSize())
        return;
    if (mode == ResizeMode::KeepScale && hadSize) {
        setMetresPerPixel(metresPerPixel);
        m_requested = window();
    } else {
        fit(m_requested);
    }
}

MapExtent MapViewport::window() const
{
    return MapExtent::of(minX(), minY(), maxX(), maxY());
}

double MapViewport::metresPerPixel() const
{
    return hasSize() ? 2.0 * m_halfWidth / m_size.width() : 0.0;
}

double MapViewport::scale() const
{
    if (!hasSize())
        return 0.0;
    const double twipsPerMetre = m_size.width() * Twips::perPixel / (2.0 * m_halfWidth);
    return Twips::perMetre / twipsPerMetre;
}

bool MapViewport::setScale(double denominator)
{
    if (!isPositive(denominator) || !hasSize())
        return false;
    setMetresPerPixel(denominator / Twips::perMetre * Twips::perPixel);
    m_requested = window();
    return true;
}

bool MapViewport::setExtent(const MapExtent& extent)
{
    if (!extent.valid)
        return false;
    m_requested = extent;
    fit(extent);
    return true;
}

bool MapViewport::zoomAll(const MapExtent& data)
{
    return setExtent(data.widened(zoomAllMargin));
}

bool MapViewport::zoomBy(double factor)
{
    if (!isPositive(factor))
        return false;
    if (hasSize()) {
        setMetresPerPixel(metresPerPixel() / factor);
    } else {
        m_halfWidth = clampHalfSpan(m_halfWidth / factor);
        m_halfHeight = clampHalfSpan(m_halfHeight / factor);
    }
    m_requested = window();
    return true;
}

bool MapViewport::zoomAt(double x, double y, double factor)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return false;
    m_centreX = x;
    m_centreY = y;
    m_requested = window();
    zoomBy(factor);
    return true;
}

bool MapViewport::zoomAbout(const QPointF& pixel, double factor)
{
    if (!hasSize() || !isPositive(factor) || !std::isfinite(pixel.x()) || !std::isfinite(pixel.y()))
        return false;
    const QPointF fixed = toWorld(pixel);
    setMetresPerPixel(metresPerPixel() / factor);
    const double mpp = metresPerPixel();
    m_centreX = fixed.x() + (m_size.width() / 2.0 - pixel.x()) * mpp;
    m_centreY = fixed.y() + (pixel.y() - m_size.height() / 2.0) * mpp;
    m_requested = window();
    return true;
}

bool MapViewport::panByPixels(const QPointF& delta)
{
    if (!hasSize() || !std::isfinite(delta.x()) || !std::isfinite(delta.y()))
        return false;
    const double mpp = metresPerPixel();
    m_centreX -= delta.x() * mpp;
    m_centreY += delta.y() * mpp;
    m_requested = window();
    return true;
}

bool MapViewport::zoomToPixels(const QRectF& box)
{
    const QRectF r = box.normalized();
    if (!hasSize() || !(r.width() > 0.0) || !(r.height() > 0.0))
        return false;
    const QPointF a = toWorld(r.topLeft());
    const QPointF b = toWorld(r.bottomRight());
    return setExtent(MapExtent::of(a.x(), a.y(), b.x(), b.y()));
}

QPointF MapViewport::toPixel(const QPointF& world) const
{
    const double mpp = hasSize() ? metresPerPixel() : 1.0;
    return {(world.x() - minX()) / mpp, (maxY() - world.y()) / mpp};
}

QPointF MapViewport::toWorld(const QPointF& pixel) const
{
    const double mpp = hasSize() ? metresPerPixel() : 1.0;
    return {minX() + pixel.x() * mpp, maxY() - pixel.y() * mpp};
}

bool MapViewport::fitTransform(const MapExtent& window, const QRectF& target, QTransform* transform)
{
    if (!window.valid || !isPositive(target.width()) || !isPositive(target.height()))
        return false;
    const double scaleX = window.width() > 0.0 ? target.width() / window.width() : INFINITY;
    const double scaleY = window.height() > 0.0 ? target.height() / window.height() : INFINITY;
    const double pixelsPerMetre = std::min(scaleX, scaleY);
    if (!isPositive(pixelsPerMetre))
        return false;
    const QPointF mid = window.centre();
    const QPointF targetMid = target.center();
    *transform = QTransform(pixelsPerMetre, 0.0, 0.0, -pixelsPerMetre,
                            targetMid.x() - pixelsPerMetre * mid.x(),
                            targetMid.y() + pixelsPerMetre * mid.y());
    return true;
}

void MapViewport::fit(const MapExtent& extent)
{
    const QPointF mid = extent.centre();
    if (!std::isfinite(mid.x()) || !std::isfinite(mid.y()))
        return;
    m_centreX = mid.x();
    m_centreY = mid.y();
    const double width = extent.width();
    const double height = extent.height();
    if (!(width > 0.0) && !(height > 0.0))
        return; // a single point: scale kept
    if (hasSize()) {
        setMetresPerPixel(std::max(width / m_size.width(), height / m_size.height()));
        return;
    }
    // Without a size a line-like extent becomes a square.
    const double half = std::max(width, height) / 2.0;
    m_halfWidth = clampHalfSpan(width > 0.0 ? width / 2.0 : half);
    m_halfHeight = clampHalfSpan(height > 0.0 ? height / 2.0 : half);
}

void MapViewport::setMetresPerPixel(double metresPerPixel)
{
    const double mpp = std::isnan(metresPerPixel)
                           ? minMetresPerPixel
                           : std::clamp(metresPerPixel, minMetresPerPixel, maxMetresPerPixel);
    m_halfWidth = mpp * m_size.width() / 2.0;
    m_halfHeight = mpp * m_size.height() / 2.0;
}
