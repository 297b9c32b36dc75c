#pragma once

#include "MapDocument.h"
#include "MapLabels.h"
#include "MapRenderer.h"
#include "SheetMap.h"

// A map document with a viewport of its own size as the print run's map: the
// command line's map without a window.
class DocumentSheetMap : public SheetMap {
public:
    explicit DocumentSheetMap(MapDocument& document, MapStyle style = {})
        : m_document(document), m_style(style)
    {
    }

    MapExtent window() const override { return m_document.viewport().window(); }
    double scale() const override { return m_document.Scale(); }
    bool setScale(qint32 denominator) override { return m_document.setScale(denominator); }
    void restoreWindow(const MapExtent& window) override;
    bool canDraw(const MapExtent& window, const QRect& rect) const override;
    bool draw(QPainter& painter, const MapExtent& window, const QRect& rect) const override;
    int drawLabels(QPainter& painter, const MapExtent& window, const QRect& rect) const override;
    // The texts of the plots shown now, for their labels.
    void setLabelTexts(const QHash<QString, PlotLabelText>& texts) { m_labels.texts = texts; }

private:
    MapDocument& m_document;
    MapStyle m_style;
    PlotLabels m_labels;
};
