#include "MapRenderer.h"

#include "BgrColour.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace MapRenderer {

namespace {

// Device pixels per pixel at 96 dpi: 1 on screens and images, 6.25 on a 600 dpi printer.
double deviceScale(const QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    const int dpi = device ? device->logicalDpiX() : 96;
    return std::max(1.0, dpi / 96.0);
}

QPen cosmeticPen(const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setCosmetic(true);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

bool hasShapes(const QList<const MapView*>& views)
{
    for (const MapView* view : views)
        for (const auto& table : view->tables())
            if (!table->shapes().isEmpty())
                return true;
    return false;
}

// A shape whose vertices lie closer together on the device than a pixel is
// drawn reduced to the pixel grid: in device coordinates, leaving out every
// vertex less than a pixel from the one kept before (the last is always
// kept), then every vertex within half a pixel of the outline through the
// others. The outline moves by under a pixel; a farm's plots drawn small
// lose most of their vertices, and with them most of the drawing work.
constexpr double gridStep = 1.0;

// Distance of p from the segment a-b (from a when a and b coincide).
double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF ab = b - a;
    const QPointF ap = p - a;
    const double length2 = ab.x() * ab.x() + ab.y() * ab.y();
    double t = length2 > 0 ? (ap.x() * ab.x() + ap.y() * ab.y()) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF off = ap - t * ab;
    return std::sqrt(off.x() * off.x() + off.y() * off.y());
}

// Leaves out the vertices of line that lie within tolerance of the line
// through the ones kept (Douglas-Peucker); the first and last are kept.
QPolygonF simplified(const QPolygonF& line, double tolerance)
{
    const qsizetype n = line.size();
    if (n < 3)
        return line;
    std::vector<char> keep(size_t(n), 0);
    keep.front() = keep.back() = 1;
    std::vector<std::pair<qsizetype, qsizetype>> spans{{0, n - 1}};
    while (!spans.empty()) {
        const auto [first, last] = spans.back();
        spans.pop_back();
        double farthest = tolerance;
        qsizetype at = -1;
        for (qsizetype i = first + 1; i < last; ++i) {
            const double d = distanceToSegment(line.at(i), line.at(first), line.at(last));
            if (d > farthest) {
                farthest = d;
                at = i;
            }
        }
        if (at < 0)
            continue;
        keep[size_t(at)] = 1;
        spans.emplace_back(first, at);
        spans.emplace_back(at, last);
    }
    QPolygonF kept;
    kept.reserve(n);
    for (qsizetype i = 0; i < n; ++i)
        if (keep[size_t(i)])
            kept.append(line.at(i));
    return kept;
}

QPolygonF reducedPart(const QPolygonF& part, const QTransform& toDevice)
{
    QPolygonF kept;
    kept.reserve(part.size());
    // An affine toDevice (always, but for a projecting painter) is applied
    // directly, sparing QTransform::map's case analysis per vertex.
    const bool affine = toDevice.type() < QTransform::TxProject;
    const double m11 = toDevice.m11(), m12 = toDevice.m12(), m21 = toDevice.m21(),
                 m22 = toDevice.m22(), dx = toDevice.dx(), dy = toDevice.dy();
    constexpr double stepSquared = gridStep * gridStep;
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QPointF& at = part.at(i);
        const QPointF point = affine ? QPointF(m11 * at.x() + m21 * at.y() + dx,
                                               m12 * at.x() + m22 * at.y() + dy)
                                     : toDevice.map(at);
        if (!kept.isEmpty() && i + 1 < part.size()) {
            const QPointF step = point - kept.last();
            if (step.x() * step.x() + step.y() * step.y() < stepSquared)
                continue;
        }
        kept.append(point);
    }
    return simplified(kept, gridStep / 2);
}

bool worthReducing(const MapShape& shape, double pixelsPerUnit)
{
    qsizetype vertices = 0;
    for (const QPolygonF& part : shape.parts)
        vertices += part.size();
    const double span = std::max(shape.bounds.width(), shape.bounds.height()) * pixelsPerUnit;
    return span < double(vertices) * gridStep;
}

// A reduced polygon is filled without antialiasing and its outline drawn
// antialiased over the edge: the outline covers the fill's stepped edge, and
// the fill costs a third of an antialiased one.
void fillThenOutline(QPainter& painter, const QPolygonF& polygon)
{

    const QPen pen = painter.pen();
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    if (!smooth || pen.style() == Qt::NoPen) {
        painter.drawPolygon(polygon, Qt::OddEvenFill);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(polygon, Qt::OddEvenFill);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    const QBrush brush = painter.brush();
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(polygon);
    painter.setBrush(brush);
}

void drawReduced(QPainter& painter, const MapShape& shape, MapGeometry geometry,
                 const QTransform& toDevice)
{
    if (geometry == MapGeometry::Line) {
        for (const QPolygonF& part : shape.parts)
            painter.drawPolyline(reducedPart(part, toDevice));
    } else if (shape.parts.size() == 1) {
        fillThenOutline(painter, reducedPart(shape.parts.first(), toDevice));
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const QPolygonF& part : shape.parts) {
            path.addPolygon(reducedPart(part, toDevice));
            path.closeSubpath();
        }
        painter.drawPath(path);
    }
}

// A view without a colour fills polygons with the default fill and draws
// lines and points in the outline colour. Shapes outside shown are skipped.
// Returns the number of shapes drawn.
qint64 drawTable(QPainter& painter, const MapTable& table, const MapView& view,
                 const MapExtent& shown, const MapStyle& style, double pixelScale)
{
    const QColor own = BgrColour::toColor(view.colour());
    const QColor colour = view.hasColour() ? own : style.outline;
    switch (table.geometry()) {
    case MapGeometry::Polygon:
        painter.setPen(cosmeticPen(style.outline, style.outlineWidth * pixelScale));
        painter.setBrush(view.hasColour() ? own : style.defaultFill);
        break;
    case MapGeometry::Line:
        painter.setPen(cosmeticPen(colour, style.lineWidth * pixelScale));
        painter.setBrush(Qt::NoBrush);
        break;
    case MapGeometry::Point: {
        QPen pen = cosmeticPen(colour, style.pointSize * pixelScale);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        break;
    }
    }
    const QTransform toDevice = painter.worldTransform();
    const double pixelsPerUnit = std::sqrt(std::abs(toDevice.determinant()));
    bool inDevice = false; // drawing in device coordinates at the moment
    qint64 drawn = 0;
    for (const MapShape& shape : table.shapes()) {
        if (!shape.bounds.intersects(shown))
            continue;
        ++drawn;
        const bool reduce =
            table.geometry() != MapGeometry::Point && worthReducing(shape, pixelsPerUnit);
        if (reduce != inDevice) {
            painter.setWorldTransform(reduce ? QTransform() : toDevice);
            inDevice = reduce;
        }
        if (reduce) {
            drawReduced(painter, shape, table.geometry(), toDevice);
        } else if (table.geometry() == MapGeometry::Point) {
            for (const QPolygonF& part : shape.parts)
                painter.drawPoints(part);
        } else {
            painter.drawPath(shape.path);
        }
    }
    if (inDevice)
        painter.setWorldTransform(toDevice);
    return drawn;
}

} // namespace

bool canPaint(const QRectF& target, const MapExtent& window, const QList<const MapView*>& views)
{
    QTransform unused;
    return MapViewport::fitTransform(window, target, &unused) && hasShapes(views);
}

bool paint(QPainter& painter, const QRectF& target, const MapExtent& window,
           const QList<const MapView*>& views, const MapStyle& style, qint64* shapesDrawn)
{
    if (shapesDrawn)
        *shapesDrawn = 0;
    if (target.isEmpty())
        return false;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.fillRect(target, style.background);

    QTransform toTarget;
    const bool drawable = MapViewport::fitTransform(window, target, &toTarget) && hasShapes(views);
    if (drawable) {
        // The ground that target shows, a little larger than window when the
        // aspect ratios differ.
        const QRectF shownRect = toTarget.inverted().mapRect(target);
        const MapExtent shown =
            MapExtent::of(shownRect.left(), shownRect.top(), shownRect.right(), shownRect.bottom());
        const double pixelScale = deviceScale(painter);
        painter.setRenderHint(QPainter::Antialiasing, style.antialiasing);
        painter.setTransform(toTarget, true);
        for (const MapView* view : views) {
            for (const auto& table : view->tables()) {
                if (!table->bounds().intersects(shown))
                    continue;
                const qint64 drawn = drawTable(painter, *table, *view, shown, style, pixelScale);
                if (shapesDrawn)
                    *shapesDrawn += drawn;
            }
        }
    }
    painter.restore();
    return drawable;
}

} // namespace MapRenderer
