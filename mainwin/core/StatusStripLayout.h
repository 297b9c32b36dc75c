#pragma once

#include <QRect>

// Placement of the map and the status controls inside the main window's
// picture box pichaupt, all in twips. The strip of 285 twips above the map
// carries the ruler on the left and, right-aligned, " Fläche in ha:" [area]
// " Maßstab:  1: " [scale], ending 15 twips before the right edge.
struct StatusStripLayout {
    struct Input {
        int pictureWidth = 0;  // pichaupt, twips
        int pictureHeight = 0; // pichaupt, twips
        int scaleBoxWidth = 0; // cbomassstab
        int scaleBoxHeight = 0;
        int scaleLabelWidth = 0; // panmassstab
        int areaBoxWidth = 0;    // txtflaeche
        int areaBoxHeight = 0;
        int areaLabelWidth = 0; // panflaeche
        int labelHeight = 0;
    };
    QRect map;        // tplhaupt
    QRect scaleBox;   // cbomassstab
    QRect scaleLabel; // panmassstab
    QRect areaBox;    // txtflaeche
    QRect areaLabel;  // panflaeche

    static constexpr int mapTop = 285;
    static constexpr int mapMargin = 30;

    // Widths and heights that would come out negative are clamped to 0.
    static StatusStripLayout compute(const Input& in);
};
