#include "MapRenderer.h"

#include "BgrColour.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QHash>
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

// A ring (ring true) that shrinks to less than a triangle becomes the
// pixel-wide box around its vertices, so that no plot vanishes from the map.
QPolygonF reducedPart(const QPolygonF& part, const QTransform& toDevice, bool ring)
{
    QPolygonF kept;
    kept.reserve(part.size());
    // An affine toDevice (always, but for a projecting painter) is applied
    // directly, sparing QTransform::map's case analysis per vertex.
    const bool affine = toDevice.type() < QTransform::TxProject;
    const double m11 = toDevice.m11(), m12 = toDevice.m12(), m21 = toDevice.m21(),
                 m22 = toDevice.m22(), dx = toDevice.dx(), dy = toDevice.dy();
    constexpr double stepSquared = gridStep * gridStep;
    double minX = qInf(), minY = qInf(), maxX = -qInf(), maxY = -qInf();
    for (qsizetype i = 0; i < part.size(); ++i) {
        const QPointF& at = part.at(i);
        const QPointF point = affine ? QPointF(m11 * at.x() + m21 * at.y() + dx,
                                               m12 * at.x() + m22 * at.y() + dy)
                                     : toDevice.map(at);
        minX = std::min(minX, point.x());
        maxX = std::max(maxX, point.x());
        minY = std::min(minY, point.y());
        maxY = std::max(maxY, point.y());
        if (!kept.isEmpty() && i + 1 < part.size()) {
            const QPointF step = point - kept.last();
            if (step.x() * step.x() + step.y() * step.y() < stepSquared)
                continue;
        }
        kept.append(point);
    }
    kept = simplified(kept, gridStep / 2);
    if (!ring || kept.size() >= 4 || part.isEmpty())
        return kept;
    const double halfWidth = std::max(maxX - minX, gridStep) / 2;
    const double halfHeight = std::max(maxY - minY, gridStep) / 2;
    const QPointF centre((minX + maxX) / 2, (minY + maxY) / 2);
    return QPolygonF(QRectF(centre.x() - halfWidth, centre.y() - halfHeight, 2 * halfWidth,
                            2 * halfHeight));
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
void fillThenOutline(QPainter& painter, const QPointF* points, int count)
{
    const QPen pen = painter.pen();
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    if (!smooth || pen.style() == Qt::NoPen) {
        painter.drawPolygon(points, count, Qt::OddEvenFill);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(points, count, Qt::OddEvenFill);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(pen);
    const QBrush brush = painter.brush();
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(points, count);
    painter.setBrush(brush);
}

void drawReduced(QPainter& painter, const MapShape& shape, MapGeometry geometry,
                 const QTransform& toDevice)
{
    if (geometry == MapGeometry::Line) {
        for (const QPolygonF& part : shape.parts)
            painter.drawPolyline(reducedPart(part, toDevice, false));
    } else if (shape.parts.size() == 1) {
        const QPolygonF reduced = reducedPart(shape.parts.first(), toDevice, true);
        fillThenOutline(painter, reduced.constData(), int(reduced.size()));
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const QPolygonF& part : shape.parts) {
            path.addPolygon(reducedPart(part, toDevice, true));
            path.closeSubpath();
        }
        painter.drawPath(path);
    }
}

// Sets the pen and brush a table of view is drawn with. A view without a
// colour fills polygons with the default fill and draws lines and points in
// the outline colour.
void applyLook(QPainter& painter, MapGeometry geometry, const MapView& view,
               const MapStyle& style, double pixelScale)
{
    const QColor own = BgrColour::toColor(view.colour());
    const QColor colour = view.hasColour() ? own : style.outline;
    switch (geometry) {
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
}

// Draws a shape not reduced, through the painter's world transform.
void drawWhole(QPainter& painter, const MapShape& shape, MapGeometry geometry)
{
    if (geometry == MapGeometry::Point) {
        for (const QPolygonF& part : shape.parts)
            painter.drawPoints(part);
    } else {
        painter.drawPath(shapePath(shape, geometry));
    }
}

// Shapes outside shown are skipped. Returns the number of shapes drawn.
qint64 drawTable(QPainter& painter, const MapTable& table, const MapView& view,
                 const MapExtent& shown, const MapStyle& style, double pixelScale)
{
    applyLook(painter, table.geometry(), view, style, pixelScale);
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
        if (reduce)
            drawReduced(painter, shape, table.geometry(), toDevice);
        else
            drawWhole(painter, shape, table.geometry());
    }
    if (inDevice)
        painter.setWorldTransform(toDevice);
    return drawn;
}

// What the cache of one map is checked against: every drawn table with its
// view's colour, in drawing order, and the scale and style they were reduced at.
struct CacheKey {
    struct Layer {
        const MapTable* table;
        int colour;
        bool hasColour;
        bool operator==(const Layer&) const = default;
    };
    std::vector<Layer> layers;
    double m11 = 0, m12 = 0, m21 = 0, m22 = 0; // the device transform without its shift
    double pixelScale = 0;
    MapStyle style;
    bool operator==(const CacheKey& other) const
    {
        return layers == other.layers && m11 == other.m11 && m12 == other.m12 &&
               m21 == other.m21 && m22 == other.m22 && pixelScale == other.pixelScale &&
               style.background == other.style.background &&
               style.outline == other.style.outline &&
               style.outlineWidth == other.style.outlineWidth &&
               style.defaultFill == other.style.defaultFill &&
               style.lineWidth == other.style.lineWidth &&
               style.pointSize == other.style.pointSize &&
               style.antialiasing == other.style.antialiasing;
    }
};

} // namespace
} // namespace MapRenderer

// Every shape of the views in drawing order. A reduced shape's parts lie in
// points, in device pixels before the device transform's shift, so that a
// pan draws them as they are; the others are drawn from their table.
struct RenderCache::Data {
    struct Item {
        MapExtent bounds;            // in metres, to skip what is not shown
        const MapShape* shape;       // drawn whole when partCount is 0
        qint32 firstPart = 0;        // into partEnds
        qint32 partCount = 0;
        qint32 layer = 0;            // into key.layers and views
        MapGeometry geometry = MapGeometry::Polygon;
    };
    MapRenderer::CacheKey key;
    std::vector<std::shared_ptr<const MapTable>> tables; // kept while listed
    std::vector<Item> items;
    std::vector<QPointF> points;
    std::vector<qint32> partEnds; // end of each part in points
    std::vector<size_t> layerItems; // first item of each layer, then items.size()
    // Set instead of tables once the data is no longer drawn: kept only for
    // its reduced shapes, it must not hold the tables in memory.
    std::vector<std::weak_ptr<const MapTable>> formerTables;

    // Whether layer draws table (the same object, not just the same address).
    bool holds(size_t layer, const std::shared_ptr<const MapTable>& table) const
    {
        if (!formerTables.empty()) {
            const std::weak_ptr<const MapTable>& former = formerTables[layer];
            return !former.owner_before(table) && !table.owner_before(former);
        }
        return tables[layer] == table;
    }
    void retire()
    {
        formerTables.assign(tables.cbegin(), tables.cend());
        tables.clear();
    }
};

RenderCache::RenderCache() = default;
RenderCache::~RenderCache() = default;

void RenderCache::clear()
{
    m_data.reset();
    m_former.reset();
}

namespace MapRenderer {
namespace {

CacheKey keyOf(const QList<const MapView*>& views, const QTransform& toDevice,
               double pixelScale, const MapStyle& style,
               std::vector<const MapView*>* layerViews,
               std::vector<std::shared_ptr<const MapTable>>* tables)
{
    CacheKey key;
    key.m11 = toDevice.m11();
    key.m12 = toDevice.m12();
    key.m21 = toDevice.m21();
    key.m22 = toDevice.m22();
    key.pixelScale = pixelScale;
    key.style = style;
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            key.layers.push_back({table.get(), view->colour(), view->hasColour()});
            layerViews->push_back(view);
            if (tables)
                tables->push_back(table);
        }
    }
    return key;
}

// Reduced shapes of an earlier picture at the same scale, by table.
class ReducedShapes {
public:
    ReducedShapes(const CacheKey& key, std::initializer_list<const RenderCache::Data*> earlier)
    {
        for (const RenderCache::Data* data : earlier) {
            if (!data || data->key.m11 != key.m11 || data->key.m12 != key.m12 ||
                data->key.m21 != key.m21 || data->key.m22 != key.m22)
                continue;
            for (size_t layer = 0; layer < data->key.layers.size(); ++layer)
                m_layers.insert(data->key.layers[layer].table, {data, layer});
        }
    }

    // Appends the items of table, with their points, to data as layer; false
    // when no earlier picture drew it.
    bool copy(const std::shared_ptr<const MapTable>& table, size_t layer,
              RenderCache::Data& data) const
    {
        const auto found = m_layers.constFind(table.get());
        if (found == m_layers.cend() || !found->first->holds(found->second, table))
            return false;
        const RenderCache::Data& from = *found->first;
        for (size_t i = from.layerItems[found->second]; i < from.layerItems[found->second + 1];
             ++i) {
            RenderCache::Data::Item item = from.items[i];
            item.layer = qint32(layer);
            if (item.partCount > 0) {
                const qint32 first = item.firstPart;
                item.firstPart = qint32(data.partEnds.size());
                for (qint32 part = first; part < first + item.partCount; ++part) {
                    const qint32 start = part == 0 ? 0 : from.partEnds[size_t(part - 1)];
                    const qint32 end = from.partEnds[size_t(part)];
                    data.points.insert(data.points.end(), from.points.cbegin() + start,
                                       from.points.cbegin() + end);
                    data.partEnds.push_back(qint32(data.points.size()));
                }
            }
            data.items.push_back(item);
        }
        return true;
    }

private:
    QHash<const MapTable*, std::pair<const RenderCache::Data*, size_t>> m_layers;
};

void fill(RenderCache::Data& data, const QTransform& toDevice, const ReducedShapes& earlier)
{
    const QTransform linear(toDevice.m11(), toDevice.m12(), toDevice.m21(), toDevice.m22(), 0,
                            0);
    const double pixelsPerUnit = std::sqrt(std::abs(toDevice.determinant()));
    data.layerItems.reserve(data.tables.size() + 1);
    for (size_t layer = 0; layer < data.tables.size(); ++layer) {
        data.layerItems.push_back(data.items.size());
        if (earlier.copy(data.tables[layer], layer, data))
            continue;
        const MapTable& table = *data.tables[layer];
        for (const MapShape& shape : table.shapes()) {
            RenderCache::Data::Item item;
            item.bounds = shape.bounds;
            item.shape = &shape;
            item.layer = qint32(layer);
            item.geometry = table.geometry();
            if (table.geometry() != MapGeometry::Point && worthReducing(shape, pixelsPerUnit)) {
                item.firstPart = qint32(data.partEnds.size());
                for (const QPolygonF& part : shape.parts) {
                    const QPolygonF reduced =
                        reducedPart(part, linear, table.geometry() == MapGeometry::Polygon);
                    data.points.insert(data.points.end(), reduced.cbegin(), reduced.cend());
                    data.partEnds.push_back(qint32(data.points.size()));
                }
                item.partCount = qint32(shape.parts.size());
            }
            data.items.push_back(item);
        }
    }
    data.layerItems.push_back(data.items.size());
}

// Draws a reduced item in device coordinates: its points shifted by shift
// into scratch, exactly as reducedPart would have placed them.
void drawCachedItem(QPainter& painter, const RenderCache::Data& data,
                    const RenderCache::Data::Item& item, const QPointF& shift,
                    QPolygonF& scratch)
{
    const auto part = [&](qint32 index) -> const QPolygonF& {
        const qint32 start = index == 0 ? 0 : data.partEnds[size_t(index - 1)];
        const qint32 end = data.partEnds[size_t(index)];
        scratch.resize(end - start);
        for (qint32 i = start; i < end; ++i)
            scratch[i - start] = data.points[size_t(i)] + shift;
        return scratch;
    };
    const qint32 last = item.firstPart + item.partCount;
    if (item.geometry == MapGeometry::Line) {
        for (qint32 index = item.firstPart; index < last; ++index)
            painter.drawPolyline(part(index));
    } else if (item.partCount == 1) {
        const QPolygonF& ring = part(item.firstPart);
        fillThenOutline(painter, ring.constData(), int(ring.size()));
    } else {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (qint32 index = item.firstPart; index < last; ++index) {
            path.addPolygon(part(index));
            path.closeSubpath();
        }
        painter.drawPath(path);
    }
}

// Draws the views from cache, filling it first when the views, their
// colours, the scale or the style changed. Returns the number of shapes drawn.
qint64 drawCached(QPainter& painter, std::unique_ptr<RenderCache::Data>& data,
                  std::unique_ptr<RenderCache::Data>& former, const QList<const MapView*>& views,
                  const MapExtent& shown, const MapStyle& style, double pixelScale)
{
    const QTransform toDevice = painter.worldTransform();
    std::vector<const MapView*> layerViews;
    CacheKey key = keyOf(views, toDevice, pixelScale, style, &layerViews, nullptr);
    if (!data || !(data->key == key)) {
        // Tables drawn before at this scale (in the picture replaced now or
        // in the one before it, as when going back from one farm to all)
        // keep their reduced shapes.
        auto fresh = std::make_unique<RenderCache::Data>();
        layerViews.clear();
        fresh->key = keyOf(views, toDevice, pixelScale, style, &layerViews, &fresh->tables);
        fill(*fresh, toDevice, ReducedShapes(fresh->key, {data.get(), former.get()}));
        if (data) {
            data->retire();
            former = std::move(data);
        }
        data = std::move(fresh);
    }
    const QPointF shift(toDevice.dx(), toDevice.dy());
    QPolygonF scratch;
    const RenderCache::Data::Item* lastDrawn = nullptr; // whose look the painter has
    bool inDevice = false;
    qint64 drawn = 0;
    for (const RenderCache::Data::Item& item : data->items) {
        if (!item.bounds.intersects(shown))
            continue;
        ++drawn;
        const auto& layer = data->key.layers[size_t(item.layer)];
        if (!lastDrawn || item.geometry != lastDrawn->geometry ||
            !(layer == data->key.layers[size_t(lastDrawn->layer)])) {
            applyLook(painter, item.geometry, *layerViews[size_t(item.layer)], style, pixelScale);
        }
        lastDrawn = &item;
        const bool reduced = item.partCount > 0;
        if (reduced != inDevice) {
            painter.setWorldTransform(reduced ? QTransform() : toDevice);
            inDevice = reduced;
        }
        if (reduced)
            drawCachedItem(painter, *data, item, shift, scratch);
        else
            drawWhole(painter, *item.shape, item.geometry);
    }
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
           const QList<const MapView*>& views, const MapStyle& style, qint64* shapesDrawn,
           RenderCache* cache)
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
        if (cache) {
            const qint64 drawn =
                drawCached(painter, cache->m_data, cache->m_former, views, shown, style, pixelScale);
            if (shapesDrawn)
                *shapesDrawn = drawn;
            painter.restore();
            return drawable;
        }
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
    if (!drawable && cache)
        cache->clear(); // lets go of the tables drawn before
    painter.restore();
    return drawable;
}

} // namespace MapRenderer
