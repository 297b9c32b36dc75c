#include "MapLabels.h"

#include "LabelLayout.h"
#include "LabelPointCache.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

LabelStyle LabelStyle::screen()
{
    LabelStyle style;
    style.font.setPixelSize(12);
    style.font.setBold(true);
    style.halo = 2.5;
    return style;
}

LabelStyle LabelStyle::twips()
{
    LabelStyle style;
    style.font = QFont(QStringLiteral("Arial"));
    style.font.setPixelSize(7 * 20);
    style.font.setBold(true);
    style.font.setHintingPreference(QFont::PreferNoHinting);
    style.halo = 30;
    return style;
}

namespace MapLabels {

QStringList lines(const PlotLabelText& text, bool withArea)
{
    QStringList result{text.name};
    if (withArea && text.areaHa > 0)
        result.append(QLocale().toString(text.areaHa, 'f', 2) + QStringLiteral(" ha"));
    return result;
}

int paint(QPainter& painter, const QRectF& target, const MapExtent& window,
          const QList<const MapView*>& views, const PlotLabels& labels, const LabelStyle& style)
{
    QTransform toTarget;
    if (target.isEmpty() || !MapViewport::fitTransform(window, target, &toTarget))
        return 0;
    const QRectF shownRect = toTarget.inverted().mapRect(target);
    const MapExtent shown =
        MapExtent::of(shownRect.left(), shownRect.top(), shownRect.right(), shownRect.bottom());
    const double perUnit = std::sqrt(std::abs(toTarget.determinant()));
    const QFontMetricsF metrics(style.font);
    const double lineHeight = metrics.height();

    QList<LabelLayout::Candidate> candidates;
    QList<QStringList> texts;
    for (const MapView* view : views) {
        for (const auto& table : view->tables()) {
            if (table->geometry() != MapGeometry::Polygon || !table->bounds().intersects(shown))
                continue;
            const MapExtent& b = table->bounds();
            const QSizeF plot((b.maxX - b.minX) * perUnit, (b.maxY - b.minY) * perUnit);
            // Too small for any label: no point needs working out.
            if (std::min(plot.width(), plot.height()) < lineHeight)
                continue;
            const auto text = labels.texts.constFind(table->filePath());
            QStringList textLines =
                lines(text != labels.texts.constEnd() ? *text : PlotLabelText{table->baseName()},
                      labels.withArea);
            if (textLines.first().trimmed().isEmpty())
                continue;
            const LabelPoint point = LabelPointCache::shared().of(table);
            if (!point.valid || !shownRect.contains(point.at))
                continue;
            const auto candidate = [&] {
                double width = 0;
                for (const QString& line : textLines)
                    width = std::max(width, metrics.horizontalAdvance(line));
                return LabelLayout::Candidate{toTarget.map(point.at),
                                              QSizeF(width, lineHeight * textLines.size()),
                                              point.radius * perUnit, plot};
            };
            LabelLayout::Candidate c = candidate();
            // A plot too small for name and area still shows its name.
            if (textLines.size() > 1 && !LabelLayout::fits(c)) {
                textLines = textLines.mid(0, 1);
                c = candidate();
            }
            candidates.append(c);
            texts.append(textLines);
        }
    }
    const QList<int> kept = LabelLayout::place(candidates, style.halo);
    if (kept.isEmpty())
        return 0;

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    // The halos of all labels first, then the letters as text (searchable
    // in a PDF, sharp in an SVG), so that no halo covers another's letters.
    QList<std::pair<QPointF, QString>> placed;
    for (int i : kept) {
        const LabelLayout::Candidate& c = candidates.at(i);
        double y = c.box().top() + metrics.ascent();
        for (const QString& line : texts.at(i)) {
            placed.append({QPointF(c.centre.x() - metrics.horizontalAdvance(line) / 2, y), line});
            y += lineHeight;
        }
    }
    painter.setFont(style.font);
    const QPaintEngine* engine = painter.paintEngine();
    if (engine && engine->type() == QPaintEngine::Raster) {
        // On pixels the rim is the text drawn around each letter's place:
        // far faster than stroking the letters' outlines.
        painter.setPen(style.haloColour);
        constexpr int directions = 12;
        for (int d = 0; d < directions; ++d) {
            const QPointF offset(style.halo * std::cos(2 * M_PI * d / directions),
                                 style.halo * std::sin(2 * M_PI * d / directions));
            for (const auto& [at, line] : placed)
                painter.drawText(at + offset, line);
        }
    } else {
        QPainterPath halos;
        for (const auto& [at, line] : placed)
            halos.addText(at, style.font, line);
        QPen rim(style.haloColour, 2 * style.halo);
        rim.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(halos, rim);
    }
    painter.setPen(style.text);
    for (const auto& [at, line] : placed)
        painter.drawText(at, line);
    painter.restore();
    return int(kept.size());
}

} // namespace MapLabels
