#pragma once

#include "LabelPoint.h"

#include <QHash>

#include <memory>

class MapTable;

// The label point of every table drawn, worked out once per table: it does
// not depend on the view, so panning and zooming reuse it. A table is known
// by its identity while it lives (tables are shared and never change);
// points of tables that have gone are dropped as the cache grows. Used from
// the map's thread only.
class LabelPointCache {
public:
    static LabelPointCache& shared();

    // The label point of all polygon rings of table (every record's parts).
    LabelPoint of(const std::shared_ptr<const MapTable>& table);
    int size() const { return int(m_entries.size()); }
    // How many points were worked out so far (not taken from the cache).
    qint64 computed() const { return m_computed; }

private:
    struct Entry {
        std::weak_ptr<const MapTable> table;
        LabelPoint point;
    };
    QHash<const MapTable*, Entry> m_entries;
    qsizetype m_pruneAt = 1024;
    qint64 m_computed = 0;
};
