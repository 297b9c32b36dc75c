#include "LabelPointCache.h"

#include "MapTable.h"

#include <algorithm>

LabelPointCache& LabelPointCache::shared()
{
    static LabelPointCache cache;
    return cache;
}

LabelPoint LabelPointCache::of(const std::shared_ptr<const MapTable>& table)
{
    if (!table)
        return {};
    const auto found = m_entries.constFind(table.get());
    if (found != m_entries.constEnd() && found->table.lock() == table)
        return found->point;
    QList<QPolygonF> rings;
    for (const MapShape& shape : table->shapes())
        rings += shape.parts;
    const LabelPoint point = LabelPoint::of(rings);
    ++m_computed;
    if (m_entries.size() >= m_pruneAt) {
        m_entries.removeIf([](const auto& entry) { return entry.value().table.expired(); });
        m_pruneAt = std::max<qsizetype>(1024, m_entries.size() * 2);
    }
    m_entries.insert(table.get(), {table, point});
    return point;
}
