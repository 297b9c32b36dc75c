#include "PrintRun.h"

#include "SheetMap.h"

#include <QPagedPaintDevice>

#include <optional>

namespace PrintRun {

namespace {
bool listsPlots(const SheetSource& source)
{
    return source.kartenanzeige == MapContent::Plots;
}

// The list's lines: plot rows and, asked for, subtotals labelled in the
// sheet's language.
QList<PlotListLayout::Line> listLines(const SheetSource& source, const PrintOptions& options,
                                      const PrintTexts& texts)
{
    QList<PlotListLayout::Line> lines = PlotListLayout::lines(source.plots, options.subtotals);
    for (PlotListLayout::Line& line : lines) {
        if (line.kind == PlotListLayout::Line::CropSum)
            line.name = texts.subtotalLabel(line.name.isEmpty() ? texts.noCrop : line.name);
        else if (line.kind == PlotListLayout::Line::FarmSum)
            line.name = texts.subtotalLabel(line.name);
    }
    return lines;
}

qsizetype lineCount(const SheetSource& source, const PrintOptions& options)
{
    return PlotListLayout::lines(source.plots, options.subtotals).size();
}

// Where the plot list goes: a band of its own below the map on the map page,
// or (asked for, or taking more than half the map's room) pages of its own.
struct ListPlacement {
    int band = 0; // twips below the map; 0: no band
    bool ownPage = false;
};

ListPlacement placeList(const SheetSource& source, const PrintOptions& options, int pageHeight)
{
    if (!options.list || !listsPlots(source) || source.plots.isEmpty())
        return {0, options.ownPage};
    const int band = int(lineCount(source, options) + 2) * PlotListLayout::rowHeight;
    if (options.ownPage || band > (pageHeight - SheetScale::mapTop) / 2)
        return {0, true};
    return {band, false};
}

SheetScale::Plan planOf(const SheetSource& source, const PrintOptions& options,
                        const PageMetrics& page, const PrintTexts& texts)
{
    SheetScale::Input in;
    in.pageWidth = page.width();
    in.pageHeight = page.height();
    in.visible = source.map ? source.map->window() : MapExtent();
    in.mapScale = source.map ? source.map->scale() : 0;
    in.scaleBoxText = source.scaleBoxText;
    in.scaleCaption = texts.scaleCaption;
    in.displayedScale = options.displayedScale;
    const int band = placeList(source, options, page.height()).band;
    if (band > 0)
        in.mapHeight = SheetScale::mapRect(page.width(), page.height(), band).height();
    return SheetScale::plan(in);
}

PrintProblem problemOf(SheetScale::Problem problem)
{
    switch (problem) {
    case SheetScale::Problem::None:
        return PrintProblem::None;
    case SheetScale::Problem::PageTooSmall:
        return PrintProblem::PageTooSmall;
    case SheetScale::Problem::NoVisibleExtent:
        return PrintProblem::NoVisibleExtent;
    case SheetScale::Problem::ScaleNotPositive:
        return PrintProblem::ScaleNotPositive;
    }
    return PrintProblem::NoVisibleExtent;
}

// The farms the sheet's plots belong to, each once, in the list's order.
QStringList farmsOf(const SheetSource& source)
{
    QStringList farms;
    if (!listsPlots(source))
        return farms;
    for (const PlotListRow& row : source.plots) {
        if (!farms.contains(row.farm, Qt::CaseInsensitive))
            farms.append(row.farm);
    }
    return farms;
}

// Puts the map's window back when the object goes out of scope.
class WindowBack {
public:
    WindowBack(SheetMap& map) : m_map(map), m_saved(map.window()) {}
    ~WindowBack() { m_map.restoreWindow(m_saved); }
    WindowBack(const WindowBack&) = delete;
    WindowBack& operator=(const WindowBack&) = delete;

private:
    SheetMap& m_map;
    MapExtent m_saved;
};

PrintProblem drawList(QPainter& painter, const PageMetrics& page, const SheetSource& source,
                      const PrintOptions& options, const PrintTexts& texts, const QString& title,
                      const std::function<bool()>& newPage)
{
    const int width = page.width();
    const int height = page.height();
    const bool ownPage = placeList(source, options, height).ownPage;
    const auto startPage = [&] {
        if (!newPage())
            return false;
        SheetPainter::drawTitleAndFrame(painter, title, width, height);
        return true;
    };
    if (!listsPlots(source)) {
        if (source.gpsRows < 1)
            return PrintProblem::None;
        if (ownPage && !startPage())
            return PrintProblem::DeliveryFailed;
        SheetPainter::drawGpsTotal(painter,
                                   texts.gpsSum + ' ' + source.areaBoxText + QStringLiteral(" ha "),
                                   width, height);
        return PrintProblem::None;
    }
    const QList<PlotListLayout::Line> lines = listLines(source, options, texts);
    const QList<PlotListLayout::Part> parts =
        PlotListLayout::paginate(int(lines.size()), height, ownPage, SheetScale::mapTop);
    double sum = 0;
    for (const PlotListRow& row : source.plots)
        sum += row.areaHa;
    for (const PlotListLayout::Part& part : parts) {
        if (part.newPage && !startPage())
            return PrintProblem::DeliveryFailed;
        SheetPainter::drawListPart(painter, part, source.plots, lines, texts.headings, texts.sum,
                                   sum, !source.plotsFromSelection, width);
    }
    return PrintProblem::None;
}
} // namespace

PrintProblem check(const SheetSource& source, const PrintOptions& options, const PageMetrics& page,
                   const PrintTexts& texts)
{
    const SheetScale::Plan plan = planOf(source, options, page, texts);
    if (plan.problem != SheetScale::Problem::None)
        return problemOf(plan.problem);
    const ListPlacement list = placeList(source, options, page.height());
    const QRect rect = SheetScale::mapRect(page.width(), page.height(), list.band);
    if (!source.map->canDraw(SheetScale::printWindow(source.map->window(), plan.groundWidth, rect),
                             rect))
        return PrintProblem::NothingToDraw;
    if (options.list && listsPlots(source) && !source.plots.isEmpty() &&
        PlotListLayout::paginate(int(lineCount(source, options)), page.height(), list.ownPage,
                                 SheetScale::mapTop)
            .isEmpty())
        return PrintProblem::PageTooSmall;
    return PrintProblem::None;
}

PrintProblem drawSheet(QPainter& painter, const PageMetrics& page, const SheetSource& source,
                       const PrintOptions& options, const PrintTexts& texts,
                       const std::function<bool()>& newPage)
{
    const SheetScale::Plan plan = planOf(source, options, page, texts);
    if (plan.problem != SheetScale::Problem::None)
        return problemOf(plan.problem);
    const int width = page.width();
    const int height = page.height();
    const QRect rect =
        SheetScale::mapRect(width, height, placeList(source, options, height).band);
    {
        std::optional<WindowBack> back;
        if (options.displayedScale) {
            back.emplace(*source.map);
            source.map->setScale(plan.printScale);
        }
        const MapExtent window =
            SheetScale::printWindow(source.map->window(), plan.groundWidth, rect);
        if (!source.map->draw(painter, window, rect))
            return PrintProblem::NothingToDraw;
        if (options.labels)
            source.map->drawLabels(painter, window, rect);
    }
    painter.setFont(SheetPainter::arial(10));
    const QString title =
        SheetPainter::sheetTitle(texts.title, farmsOf(source),
                                 width - SheetPainter::textWidth(painter, plan.label) - 300);
    SheetPainter::drawTitleAndFrame(painter, title, width, height);
    SheetPainter::drawHeader(painter, plan.label, width);
    SheetPainter::drawRuler(painter, PrintRuler::ticks(plan.k, width), SheetScale::titleBottom,
                            width);
    if (!options.list)
        return PrintProblem::None;
    return drawList(painter, page, source, options, texts, title, newPage);
}

PrintOutcome printSheet(PrintTarget& target, const SheetSource& source, const PrintOptions& options,
                        const PrintTexts& texts)
{
    PrintDocument document(target, texts);
    PrintOutcome outcome;
    outcome.problem = document.addSheet(source, options);
    if (outcome.problem != PrintProblem::None) {
        document.abort();
        return outcome;
    }
    outcome.problem = document.finish();
    outcome.sheets = outcome.ok() ? 1 : 0;
    return outcome;
}

} // namespace PrintRun

PrintDocument::PrintDocument(PrintTarget& target, PrintTexts texts)
    : m_target(target), m_texts(std::move(texts))
{
}

PrintDocument::~PrintDocument()
{
    abort();
}

PrintProblem PrintDocument::addSheet(const SheetSource& source, const PrintOptions& options)
{
    QPagedPaintDevice* device = m_closed ? nullptr : m_target.device();
    if (!device || !source.map)
        return PrintProblem::DeviceRefused;
    const PageMetrics page = PageMetrics::fromLayout(device->pageLayout());
    const PrintProblem checked = PrintRun::check(source, options, page, m_texts);
    if (checked != PrintProblem::None)
        return checked;
    if (m_sheets == 0) {
        if (!m_painter.begin(device))
            return PrintProblem::DeviceRefused;
    } else if (!device->newPage()) {
        abort();
        return PrintProblem::DeliveryFailed;
    }
    SheetPainter::useTwips(m_painter, *device);
    const PrintProblem drawn = PrintRun::drawSheet(m_painter, page, source, options, m_texts,
                                                   [device] { return device->newPage(); });
    if (drawn != PrintProblem::None) {
        abort();
        return drawn;
    }
    ++m_sheets;
    return PrintProblem::None;
}

PrintProblem PrintDocument::finish()
{
    if (m_closed)
        return PrintProblem::DeliveryFailed;
    if (m_sheets == 0) {
        abort();
        return PrintProblem::NothingToDraw;
    }
    const bool ended = m_painter.end();
    m_closed = true;
    return m_target.close(ended) && ended ? PrintProblem::None : PrintProblem::DeliveryFailed;
}

void PrintDocument::abort()
{
    if (m_closed)
        return;
    m_closed = true;
    if (m_painter.isActive()) {
        m_target.abort();
        m_painter.end();
    }
    m_target.close(false);
}
