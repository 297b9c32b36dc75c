#include "MapControlSheet.h"

#include "MapControl.h"
#include "MapLabels.h"
#include "MapRenderer.h"

MapExtent MapControlSheet::window() const
{
    return MapExtent::of(m_map.MinX(), m_map.MinY(), m_map.MaxX(), m_map.MaxY());
}

double MapControlSheet::scale() const
{
    return m_map.Scale();
}

bool MapControlSheet::setScale(qint32 denominator)
{
    return m_map.setScale(denominator);
}

void MapControlSheet::restoreWindow(const MapExtent& window)
{
    m_map.SetExtent(window.minX, window.minY, window.maxX, window.maxY);
}

bool MapControlSheet::canDraw(const MapExtent& window, const QRect& rect) const
{
    return MapRenderer::canPaint(QRectF(rect), window, m_map.document().views());
}

bool MapControlSheet::draw(QPainter& painter, const MapExtent& window, const QRect& rect) const
{
    return m_map.DrawToDC(painter, window.minX, window.minY, window.maxX, window.maxY, rect);
}

int MapControlSheet::drawLabels(QPainter& painter, const MapExtent& window, const QRect& rect) const
{
    return MapLabels::paint(painter, QRectF(rect), window, m_map.document().views(), m_map.labels(),
                            LabelStyle::twips());
}
