#include "LabelLayout.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace LabelLayout {

bool fits(const Candidate& candidate)
{
    return candidate.text.height() > 0 && 2 * candidate.room >= candidate.text.height() &&
           candidate.plot.width() >= candidate.text.width();
}

QList<int> place(const QList<Candidate>& candidates, double gap)
{
    QList<int> order;
    for (int i = 0; i < candidates.size(); ++i)
        if (fits(candidates.at(i)))
            order.append(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return candidates.at(a).room > candidates.at(b).room; });
    // Kept boxes by the grid cells they touch, so that each candidate is
    // compared with its neighbours only.
    double cell = 1;
    for (int i : order)
        cell = std::max({cell, candidates.at(i).text.width(), candidates.at(i).text.height()});
    cell += 2 * gap;
    QHash<quint64, QList<QRectF>> grid;
    const auto key = [](qint64 x, qint64 y) { return (quint64(quint32(x)) << 32) | quint32(y); };
    QList<int> kept;
    for (int i : order) {
        const QRectF box = candidates.at(i).box().adjusted(-gap, -gap, gap, gap);
        const qint64 x0 = qint64(std::floor(box.left() / cell)),
                     x1 = qint64(std::floor(box.right() / cell));
        const qint64 y0 = qint64(std::floor(box.top() / cell)),
                     y1 = qint64(std::floor(box.bottom() / cell));
        bool free = true;
        for (qint64 x = x0; x <= x1 && free; ++x)
            for (qint64 y = y0; y <= y1 && free; ++y)
                for (const QRectF& other : grid.value(key(x, y)))
                    if (other.intersects(box)) {
                        free = false;
                        break;
                    }
        if (!free)
            continue;
        kept.append(i);
        for (qint64 x = x0; x <= x1; ++x)
            for (qint64 y = y0; y <= y1; ++y)
                grid[key(x, y)].append(box);
    }
    return kept;
}

} // namespace LabelLayout
