#include "ListingPrint.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ListingPrint {

QFont listingFont()
{
    QFont font(QStringLiteral("Liberation Mono"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

namespace {
// Line height in device pixels of the device.
qreal lineHeight(QPagedPaintDevice& device, const QFont& font)
{
    return QFontMetricsF(font, &device).lineSpacing();
}
} // namespace

int linesPerPage(QPagedPaintDevice& device, const QFont& font)
{
    const qreal height = lineHeight(device, font);
    return std::max(1, static_cast<int>(std::floor(device.height() / height)));
}

int print(QPagedPaintDevice& device, const QStringList& lines, const QFont& font)
{
    if (lines.isEmpty())
        return 0;
    QPainter painter;
    if (!painter.begin(&device))
        return -1;
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(painter.font(), &device);
    const qreal height = metrics.lineSpacing();
    const qreal pageHeight = device.height(); // paint area, in device pixels
    int pages = 1;
    qreal top = 0;
    for (const QString& line : lines) {
        if (top > 0 && top + height > pageHeight) {
            if (!device.newPage())
                break;
            ++pages;
            top = 0;
        }
        if (!line.isEmpty())
            painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += height;
    }
    painter.end();
    return pages;
}

} // namespace ListingPrint
