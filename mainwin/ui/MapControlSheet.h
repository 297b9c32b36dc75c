#pragma once

#include "SheetMap.h"

class MapControl;

// The main window's map control as the print run's map: its window and
// scale, DrawToDC for the sheet, and SetExtent to put the window back.
class MapControlSheet : public SheetMap {
public:
    explicit MapControlSheet(MapControl& map) : m_map(map) {}

    MapExtent window() const override;
    double scale() const override;
    bool setScale(qint32 denominator) override;
    void restoreWindow(const MapExtent& window) override;
    bool canDraw(const MapExtent& window, const QRect& rect) const override;
    bool draw(QPainter& painter, const MapExtent& window, const QRect& rect) const override;
    int drawLabels(QPainter& painter, const MapExtent& window, const QRect& rect) const override;

private:
    MapControl& m_map;
};
