#pragma once

#include "MapExtent.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRectF>
#include <QString>

class MapView;
class QPainter;

// What a plot's label says: its name (the file name where it has none) and
// its area in hectares.
struct PlotLabelText {
    QString name;
    double areaHa = 0;
};

// The labels the map shows: switched on or off, with or without the area,
// and the texts of the plots by the path of their .SHP file as the map's
// table names it. A table without a text is labelled with its file name.
struct PlotLabels {
    bool shown = false;
    bool withArea = false;
    QHash<QString, PlotLabelText> texts;
};

// How labels look; sizes in the painter's units (pixels on screen and in
// pictures, twips on the printed sheet).
struct LabelStyle {
    QFont font;
    double halo = 2; // width of the light rim around the letters
    QColor text = QColor(20, 20, 20);
    QColor haloColour = QColor(255, 255, 255, 220);

    // Labels on a screen or a picture of 96 dpi: 9 pixels high, bold.
    static LabelStyle screen();
    // Labels on a sheet in twips: 7 points.
    static LabelStyle twips();
};

// The label pass, drawn after the plots: a label inside every polygon plot
// that is big enough on the target, the roomiest first, none overlapping
// another; a label with area whose plot is too small for both lines shows
// the name alone. target and window are those the map was painted with
// (MapRenderer::paint). Returns the number of labels drawn.
namespace MapLabels {

int paint(QPainter& painter, const QRectF& target, const MapExtent& window,
          const QList<const MapView*>& views, const PlotLabels& labels, const LabelStyle& style);

// The label's lines: the name, and with area the area as "12,34 ha" in the
// locale (none for an area of 0).
QStringList lines(const PlotLabelText& text, bool withArea);

} // namespace MapLabels
