#include "MapRenderer.h"

#include "BgrColour.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

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
// vertex less than half a pixel from the one kept before (the last is always
// kept). The outline moves by under half a pixel; a farm's plots drawn small
// lose most of their vertices.
constexpr double gridStep = 0.5;

QPolygonF reducedPart(const QPolygonF& part, const QTransform& toDevice)
{
    QPolygonF kept;
    kept.reserve(part.size());
    // An affine toDevice (always, but for a projecting painter) is applied
    // directly, sparing QTransform::map's case analysis per vertex.
    const bool affine = toDevice.type() < QTransform::TxProject;
    const double m11 = toDevice.m11(), m12 = toDevice.m12(), m21 = toDevice.m21(),
                 m22 = toDevice.m22(), dx = toDevice.dx(), dy = toDevice.dy();
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QPointF& at = part.at(i);
        const QPointF point = affine ? QPointF(m11 * at.x() + m21 * at.y() + dx,
                                               m12 * at.x() + m22 * at.y() + dy)
                                     : toDevice.map(at);
        if (kept.isEmpty() || i + 1 == part.size() ||
            (point - kept.last()).manhattanLength() >= gridStep)
            kept.append(point);
    }
    return kept;
}

bool worthReducing(const MapShape& shape, double pixelsPerUnit)
{
    qsizetype vertices = 0;
    for (const QPolygonF& part : shape.parts)
        vertices += part.size();
    const double span = std::max(shape.bounds.width(), shape.bounds.height()) * pixelsPerUnit;
    return span < double(vertices) * gridStep;
}

void drawReduced(QPainter& painter, const MapShape& shape, MapGeometry geometry,
                 const QTransform& toDevice)
{
    if (geometry == MapGeometry::Line) {
        for (const QPolygonF& part : shape.parts)
            painter.drawPolyline(reducedPart(part, toDevice));
    } else if (shape.parts.size() == 1) {
        painter.drawPolygon(reducedPart(shape.parts.first(), toDevice), Qt::OddEvenFill);
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
