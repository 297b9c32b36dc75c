#include "LabelPoint.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

namespace {

double ringArea(const QPolygonF& ring)
{
    double twice = 0;
    for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        twice += (ring.at(j).x() - ring.at(i).x()) * (ring.at(j).y() + ring.at(i).y());
    return std::abs(twice) / 2;
}

double segmentDistanceSquared(const QPointF& p, const QPointF& a, const QPointF& b)
{
    double x = a.x(), y = a.y();
    const double dx = b.x() - x, dy = b.y() - y;
    if (dx != 0 || dy != 0) {
        const double t = ((p.x() - x) * dx + (p.y() - y) * dy) / (dx * dx + dy * dy);
        if (t > 1) {
            x = b.x();
            y = b.y();
        } else if (t > 0) {
            x += dx * t;
            y += dy * t;
        }
    }
    const double ex = p.x() - x, ey = p.y() - y;
    return ex * ex + ey * ey;
}

bool inside(const QPointF& p, const QList<QPolygonF>& rings)
{
    bool in = false;
    for (const QPolygonF& ring : rings) {
        for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
            const QPointF& a = ring.at(i);
            const QPointF& b = ring.at(j);
            if ((a.y() > p.y()) != (b.y() > p.y()) &&
                p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
                in = !in;
        }
    }
    return in;
}

// The largest part: an outer ring with the holes directly inside it.
QList<QPolygonF> largestPart(const QList<QPolygonF>& rings)
{
    QList<int> depth(rings.size(), 0);
    for (qsizetype i = 0; i < rings.size(); ++i) {
        if (rings.at(i).isEmpty())
            continue;
        for (qsizetype j = 0; j < rings.size(); ++j)
            if (i != j && rings.at(j).size() >= 3 && inside(rings.at(i).first(), {rings.at(j)}))
                ++depth[i];
    }
    QList<QPolygonF> best;
    double bestArea = 0;
    for (qsizetype o = 0; o < rings.size(); ++o) {
        if (depth.at(o) % 2 != 0 || rings.at(o).size() < 3)
            continue;
        QList<QPolygonF> part{rings.at(o)};
        double area = ringArea(rings.at(o));
        for (qsizetype h = 0; h < rings.size(); ++h) {
            if (depth.at(h) == depth.at(o) + 1 && rings.at(h).size() >= 3 &&
                inside(rings.at(h).first(), {rings.at(o)})) {
                part.append(rings.at(h));
                area -= ringArea(rings.at(h));
            }
        }
        if (area > bestArea) {
            bestArea = area;
            best = part;
        }
    }
    return best;
}

struct Cell {
    QPointF centre;
    double half;     // half the cell's side
    double distance; // signed distance of the centre
    double potential() const { return distance + half * M_SQRT2; }
};

Cell cellAt(const QPointF& centre, double half, const QList<QPolygonF>& rings)
{
    return {centre, half, LabelPoint::signedDistance(centre, rings)};
}

// The centroid of the outer ring: a good first guess for compact shapes.
QPointF centroid(const QPolygonF& ring)
{
    double area = 0, x = 0, y = 0;
    for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const QPointF& a = ring.at(i);
        const QPointF& b = ring.at(j);
        const double f = a.x() * b.y() - b.x() * a.y();
        x += (a.x() + b.x()) * f;
        y += (a.y() + b.y()) * f;
        area += f * 3;
    }
    return area == 0 ? ring.first() : QPointF(x / area, y / area);
}

} // namespace

double LabelPoint::signedDistance(const QPointF& p, const QList<QPolygonF>& rings)
{
    double nearest = INFINITY;
    for (const QPolygonF& ring : rings)
        for (qsizetype i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
            nearest = std::min(nearest, segmentDistanceSquared(p, ring.at(i), ring.at(j)));
    const double d = std::sqrt(nearest);
    return inside(p, rings) ? d : -d;
}

LabelPoint LabelPoint::of(const QList<QPolygonF>& rings, double precision)
{
    const QList<QPolygonF> part = largestPart(rings);
    if (part.isEmpty())
        return {};
    const QRectF box = part.first().boundingRect();
    if (!(std::min(box.width(), box.height()) > 0) || !std::isfinite(box.width()) ||
        !std::isfinite(box.height()))
        return {};
    // Cells as wide as the narrow side; for a sliver no fewer than 1/256 of
    // the long side, so that the first grid stays small.
    const double side =
        std::max(std::min(box.width(), box.height()), std::max(box.width(), box.height()) / 256);
    if (!(precision > 0))
        precision = std::max(box.width(), box.height()) / 100;

    const auto lower = [](const Cell& a, const Cell& b) { return a.potential() < b.potential(); };
    std::priority_queue<Cell, std::vector<Cell>, decltype(lower)> queue(lower);
    const double half = side / 2;
    const int columns = int(std::ceil(box.width() / side));
    const int rows = int(std::ceil(box.height() / side));
    for (int i = 0; i < columns; ++i)
        for (int j = 0; j < rows; ++j)
            queue.push(cellAt(box.topLeft() + QPointF((i + 0.5) * side, (j + 0.5) * side), half,
                              part));

    Cell best = cellAt(centroid(part.first()), 0, part);
    const Cell middle = cellAt(box.center(), 0, part);
    if (middle.distance > best.distance)
        best = middle;
    // A bound on the work for pathological rings; plots need far fewer cells.
    int budget = 20000;
    while (!queue.empty() && budget-- > 0) {
        const Cell cell = queue.top();
        queue.pop();
        if (cell.distance > best.distance)
            best = cell;
        if (cell.potential() - best.distance <= precision)
            continue;
        const double h = cell.half / 2;
        for (const QPointF offset :
             {QPointF(-h, -h), QPointF(h, -h), QPointF(-h, h), QPointF(h, h)})
            queue.push(cellAt(cell.centre + offset, h, part));
    }
    if (!(best.distance > 0))
        return {};
    return {best.centre, best.distance, true};
}
