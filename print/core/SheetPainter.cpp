#include "SheetPainter.h"

#include "BgrColour.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace SheetPainter {

namespace {
constexpr int twipsPerPoint = 20;

void line(QPainter& painter, double x1, double y1, double x2, double y2)
{
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void pen(QPainter& painter, double width, const QColor& colour = Qt::black)
{
    QPen p(colour, width);
    p.setCapStyle(Qt::SquareCap);
    painter.setPen(p);
}

// text cut with an ellipsis to the room between x and right.
QString fitted(const QPainter& painter, const QString& text, double room)
{
    return QFontMetricsF(painter.font()).elidedText(text, Qt::ElideRight, std::max(0.0, room));
}
} // namespace

void useTwips(QPainter& painter, const QPaintDevice& device)
{
    painter.resetTransform();
    painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
}

QFont arial(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(points * twipsPerPoint);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double textWidth(const QPainter& painter, const QString& text)
{
    return QFontMetricsF(painter.font()).horizontalAdvance(text);
}

void drawText(QPainter& painter, double x, double y, const QString& text)
{
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()), text);
}

void drawTextEndingAt(QPainter& painter, double right, double y, const QString& text)
{
    drawText(painter, right - textWidth(painter, text), y, text);
}

void drawTitleAndFrame(QPainter& painter, const QString& title, int width, int height)
{
    painter.setFont(arial(10));
    pen(painter, frameWidth);
    drawText(painter, 0, 0, title);
    line(painter, 0, 300, width, 300);
    line(painter, width, 300, width, height);
    line(painter, width, height, 0, height);
    line(painter, 0, height, 0, 300);
}

void drawHeader(QPainter& painter, const QString& scaleLabel, int width)
{
    pen(painter, lineWidth);
    line(painter, 0, 600, width, 600);
    painter.setFont(arial(10));
    drawTextEndingAt(painter, width, 0, scaleLabel);
}

QString sheetTitle(const QString& programTitle, const QStringList& farms, double room)
{
    if (farms.isEmpty())
        return programTitle;
    const QString head = programTitle + QStringLiteral(" – ");
    QFontMetricsF metrics(arial(10));
    return head + metrics.elidedText(farms.join(QStringLiteral(", ")), Qt::ElideRight,
                                     std::max(0.0, room - metrics.horizontalAdvance(head)));
}

void drawRuler(QPainter& painter, const QList<PrintRuler::Tick>& ticks, int y0, int width)
{
    painter.setFont(arial(6));
    pen(painter, lineWidth);
    for (const PrintRuler::Tick& tick : ticks) {
        line(painter, tick.x, y0 + (tick.main ? 225 : 255), tick.x, y0 + 300);
        if (!tick.main)
            continue;
        const double labelWidth = textWidth(painter, tick.label);
        const double x =
            tick.labelAtStart ? 0 : std::min(tick.x - labelWidth / 2, width - labelWidth);
        drawText(painter, x, y0 + 30, tick.label);
    }
}

void drawListPart(QPainter& painter, const PlotListLayout::Part& part,
                  const QList<PlotListRow>& rows, const QList<PlotListLayout::Line>& lines,
                  const QStringList& headings, const QString& sumLabel, double sumHa, bool rowsBold,
                  int width)
{
    using namespace PlotListLayout;
    painter.setFont(arial(8, rowsBold));
    bool withFarm = false;
    double farmWidth = 0;
    for (const PlotListRow& row : rows) {
        withFarm = withFarm || row.farm.compare(rows.first().farm, Qt::CaseInsensitive) != 0;
        farmWidth = std::max(farmWidth, textWidth(painter, row.farm));
    }
    const QList<Column> cols = columnsFor(withFarm, farmWidth);
    pen(painter, lineWidth);
    line(painter, 0, part.top, width, part.top);
    line(painter, 0, part.top + rowHeight, width, part.top + rowHeight);
    painter.setFont(arial(8, true));
    for (int c = withFarm ? 0 : 1; c < cols.size(); ++c) {
        const double centre =
            cols.at(c).headingCentre >= 0 ? cols.at(c).headingCentre : (width + 8500) / 2.0;
        const QString heading = headings.value(c);
        drawText(painter, centre - textWidth(painter, heading) / 2, part.top, heading);
        const double border = cols.at(c).rightBorder >= 0 ? cols.at(c).rightBorder : width;
        line(painter, border, part.top, border, part.bottom);
    }
    painter.setFont(arial(8, rowsBold));
    const auto cell = [&](int column, double y, const QString& text) {
        const Column& col = cols.at(column);
        const double right = col.rightBorder >= 0 ? col.rightBorder : width;
        drawText(painter, col.textX, y, fitted(painter, text, right - col.textX - 30));
    };
    for (int r = 1; r <= part.count; ++r) {
        const Line& listLine = lines.at(part.first + r - 1);
        const int y = part.rowY(r);
        line(painter, 0, y + rowHeight, width, y + rowHeight);
        if (listLine.kind != Line::Plot) {
            QFont font = arial(8, listLine.kind == Line::FarmSum);
            font.setItalic(listLine.kind == Line::CropSum);
            painter.setFont(font);
            drawText(painter, cols.at(1).textX, y,
                     fitted(painter, listLine.name, cols.at(2).textX - cols.at(1).textX - 1200));
            drawTextEndingAt(painter, cols.at(2).textX, y, areaText(listLine.areaHa));
            painter.setFont(arial(8, rowsBold));
            continue;
        }
        const PlotListRow& row = rows.at(listLine.row);
        painter.fillRect(QRectF(QPointF(swatchLeft, y + swatchInset),
                                QPointF(swatchRight, y + rowHeight - swatchInset)),
                         BgrColour::toColor(int(row.colour & 0xFFFFFF)));
        if (withFarm)
            cell(0, y, row.farm);
        drawText(painter, cols.at(1).textX, y,
                 fitted(painter, row.label, swatchLeft - cols.at(1).textX - 30));
        drawTextEndingAt(painter, cols.at(2).textX, y, areaText(row.areaHa));
        cell(3, y, QString::number(row.year));
        cell(4, y, row.crop);
        cell(5, y, row.remark);
    }
    if (part.sum) {
        const int y = part.rowY(part.count + 1);
        drawText(painter, cols.at(1).textX, y, sumLabel);
        drawTextEndingAt(painter, cols.at(2).textX, y, areaText(sumHa));
    }
    line(painter, 0, part.bottom, width, part.bottom);
}

void drawGpsTotal(QPainter& painter, const QString& text, int width, int height)
{
    painter.setFont(arial(8));
    pen(painter, lineWidth);
    drawTextEndingAt(painter, width, height - 200, text);
}

} // namespace SheetPainter
