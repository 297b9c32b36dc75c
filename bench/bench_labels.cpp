// Times the plot labels over 10,000 plots of 40 vertices on a 1600 x 1000
// image: all plots in view (few big enough for a label), a farm-sized view
// (every plot labelled) and 1,000 plots in view, each the first time (label points worked out) and
// again (points from the cache). Prints name: value ms lines; asserts nothing.

#include "LabelPointCache.h"
#include "MapLabels.h"
#include "MapView.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cmath>
#include <memory>

namespace {
constexpr int plotCount = 10000;
constexpr int gridSide = 100;
constexpr double spacing = 300; // metres between plot centres

std::shared_ptr<const MapTable> plot(int index)
{
    const double cx = spacing * (index % gridSide), cy = spacing * (index / gridSide);
    QPolygonF ring;
    for (int i = 0; i <= 40; ++i) {
        const double angle = -2 * M_PI * (i % 40) / 40;
        const double radius = 100 + 25 * std::sin(3 * angle + index);
        ring.append(QPointF(cx + radius * std::cos(angle), cy + radius * std::sin(angle)));
    }
    MapShape shape;
    shape.parts = {ring};
    const QRectF box = ring.boundingRect();
    shape.bounds = MapExtent::of(box.left(), box.top(), box.right(), box.bottom());
    return std::make_shared<const MapTable>(QStringLiteral("/plots/%1.SHP").arg(index),
                                            MapGeometry::Polygon, QList<MapShape>{shape});
}
} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QList<std::shared_ptr<const MapTable>> tables;
    for (int i = 0; i < plotCount; ++i)
        tables.append(plot(i));
    const MapView view(QStringLiteral("VIEW"), QStringLiteral("Data1"), tables);
    PlotLabels labels;
    labels.shown = true;
    labels.withArea = true;
    QImage image(1600, 1000, QImage::Format_RGB32);
    QTextStream out(stdout);
    const auto run = [&](const char* name, const MapExtent& window) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QElapsedTimer timer;
        timer.start();
        const int drawn =
            MapLabels::paint(painter, image.rect(), window, {&view}, labels, LabelStyle::screen());
        out << name << ": " << timer.nsecsElapsed() / 1e6 << " ms (" << drawn << " labels, "
            << LabelPointCache::shared().computed() << " points worked out)\n";
    };
    const double side = spacing * gridSide;
    const MapExtent all = MapExtent::of(-200, -200, side, side);
    const MapExtent farm = MapExtent::of(0, 0, 3000, 1900);
    run("all plots, first", all);
    run("all plots, again", all);
    run("farm view, first", farm);
    run("farm view, again", farm);
    const MapExtent closer = MapExtent::of(0, 0, 12000, 7500);
    run("1,000 plots in view, first", closer);
    run("1,000 plots in view, again", closer);
    return 0;
}
