#include "StatusStripLayout.h"

#include <algorithm>

StatusStripLayout StatusStripLayout::compute(const Input& in)
{
    StatusStripLayout out;
    const int mapWidth = std::max(0, in.pictureWidth - 0 - mapMargin);
    const int mapHeight = std::max(0, in.pictureHeight - mapTop - mapMargin);
    out.map = QRect(0, mapTop, mapWidth, mapHeight);

    const int scaleBoxLeft = in.pictureWidth - in.scaleBoxWidth - 15;
    out.scaleBox = QRect(scaleBoxLeft, -15, in.scaleBoxWidth, in.scaleBoxHeight);
    const int scaleLabelLeft = scaleBoxLeft - in.scaleLabelWidth;
    out.scaleLabel = QRect(scaleLabelLeft, 0, in.scaleLabelWidth, in.labelHeight);
    const int areaBoxLeft = scaleLabelLeft - in.areaBoxWidth;
    out.areaBox = QRect(areaBoxLeft, -15, in.areaBoxWidth, in.areaBoxHeight);
    const int areaLabelLeft = areaBoxLeft - in.areaLabelWidth + 15;
    out.areaLabel = QRect(areaLabelLeft, 0, in.areaLabelWidth, in.labelHeight);
    return out;
}
