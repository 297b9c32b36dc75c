#include "MapView.h"

MapView::MapView(const QString& name, const QString& sourceName,
                 QList<std::shared_ptr<const MapTable>> tables)
    : m_name(name), m_sourceName(sourceName), m_text(name), m_tables(std::move(tables))
{
}

void MapView::setColour(int bgr)
{
    m_colour = bgr;
    m_hasColour = true;
}

MapExtent MapView::bounds() const
{
    MapExtent extent;
    for (const auto& table : m_tables)
        extent.include(table->bounds());
    return extent;
}
