#include "SheetScale.h"

#include "ScaleText.h"
#include "Twips.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace SheetScale {

namespace {
qint32 wholePart(double value)
{
    const double whole = std::floor(value);
    return qint32(std::clamp(whole, 0.0, double(std::numeric_limits<qint32>::max())));
}
} // namespace

Plan plan(const Input& in)
{
    Plan p;
    if (in.pageWidth <= 0 || in.pageHeight <= mapTop) {
        p.problem = Problem::PageTooSmall;
        return p;
    }
    const double width = in.visible.width();
    if (!in.visible.valid || !(width > 0) || !std::isfinite(width) || !(in.mapScale > 0)) {
        p.problem = Problem::NoVisibleExtent;
        return p;
    }
    p.fill = in.pageWidth / width;
    if (!in.displayedScale) {
        p.k = p.fill;
        p.groundWidth = width;
        const double height = in.visible.height();
        if (in.mapHeight > 0 && height > 0 && in.mapHeight / height < p.k) {
            p.k = in.mapHeight / height;
            p.groundWidth = in.pageWidth / p.k;
        }
        p.label = in.scaleCaption + QString::number(wholePart(Twips::perMetre / p.k));
        return p;
    }
    p.displayed = ScaleText::scaleFromText(in.scaleBoxText);
    if (p.displayed <= 0) {
        p.problem = Problem::ScaleNotPositive;
        return p;
    }
    const double screenK = Twips::perMetre / in.mapScale;
    p.printScale = std::max<qint32>(1, wholePart(p.displayed * p.fill / screenK));
    p.k = Twips::perMetre / p.displayed;
    p.groundWidth = in.pageWidth / p.k;
    p.label = in.scaleCaption + in.scaleBoxText;
    return p;
}

QRect mapRect(qint32 pageWidth, qint32 pageHeight, qint32 band)
{
    return QRect(0, mapTop, pageWidth, pageHeight - mapTop - band);
}

MapExtent printWindow(const MapExtent& window, double groundWidth, const QRect& rect)
{
    if (!window.valid || rect.width() <= 0 || rect.height() <= 0)
        return {};
    const QPointF centre = window.centre();
    const double halfWidth = groundWidth / 2;
    const double halfHeight = halfWidth * rect.height() / rect.width();
    return MapExtent::of(centre.x() - halfWidth, centre.y() - halfHeight, centre.x() + halfWidth,
                         centre.y() + halfHeight);
}

} // namespace SheetScale
