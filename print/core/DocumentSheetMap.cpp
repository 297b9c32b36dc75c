#include "DocumentSheetMap.h"

#include <QPainter>

void DocumentSheetMap::restoreWindow(const MapExtent& window)
{
    m_document.SetExtent(window.minX, window.minY, window.maxX, window.maxY);
}

bool DocumentSheetMap::canDraw(const MapExtent& window, const QRect& rect) const
{
    return MapRenderer::canPaint(QRectF(rect), window, m_document.views());
}

bool DocumentSheetMap::draw(QPainter& painter, const MapExtent& window, const QRect& rect) const
{
    if (!painter.isActive() || !canDraw(window, rect))
        return false;
    return MapRenderer::paint(painter, QRectF(rect), window, m_document.views(), m_style);
}

int DocumentSheetMap::drawLabels(QPainter& painter, const MapExtent& window,
                                 const QRect& rect) const
{
    return MapLabels::paint(painter, QRectF(rect), window, m_document.views(), m_labels,
                            LabelStyle::twips());
}
