#include "PageMetrics.h"

#include <QPageLayout>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// value pixels of dotsPerInch in whole twips; halves to even, saturating.
qint32 twips(double value, double dotsPerInch)
{
    const double t = std::nearbyint(value * 1440.0 / dotsPerInch);
    if (!std::isfinite(t))
        return 0;
    return qint32(std::clamp(t, double(std::numeric_limits<qint32>::min()),
                             double(std::numeric_limits<qint32>::max())));
}
} // namespace

PageMetrics PageMetrics::fromDevice(double paperWidth, double paperHeight, double offsetX,
                                    double offsetY, double printableWidth, double printableHeight,
                                    double dotsPerInch)
{
    PageMetrics m;
    if (!(dotsPerInch > 0))
        return m;
    m.physicalWidth = twips(paperWidth, dotsPerInch);
    m.physicalHeight = twips(paperHeight, dotsPerInch);
    m.offsetX = twips(offsetX, dotsPerInch);
    m.offsetY = twips(offsetY, dotsPerInch);
    // 64 bits for the differences: no overflow whatever the driver reports.
    m.rightMargin =
        qint32(qint64(m.physicalWidth) - m.offsetX - twips(printableWidth, dotsPerInch));
    m.bottomMargin =
        qint32(qint64(m.physicalHeight) - m.offsetY - twips(printableHeight, dotsPerInch));
    return m;
}

PageMetrics PageMetrics::fromLayout(const QPageLayout& layout)
{
    if (!layout.isValid())
        return {};
    // Millimetres: whole points would cut the margins to the point.
    const QRectF paper = layout.fullRect(QPageLayout::Millimeter);
    const QRectF printable = layout.paintRect(QPageLayout::Millimeter);
    return fromDevice(paper.width(), paper.height(), printable.left() - paper.left(),
                      printable.top() - paper.top(), printable.width(), printable.height(), 25.4);
}
