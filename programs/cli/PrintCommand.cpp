// print: the farms' map sheets into one PDF file with the viewer's print run.
#include "CliCommands.h"
#include "CommandFarms.h"
#include "CommandFolder.h"
#include "DocumentSheetMap.h"
#include "FieldLayers.h"
#include "LayerDisplay.h"
#include "PdfFileTarget.h"
#include "PlotLabelTexts.h"
#include "PlotListLayout.h"
#include "PrintRun.h"
#include "ScaleText.h"
#include "StagingFolder.h"

#include <QDir>
#include <optional>

namespace {
// The size of the map in the main window at its default geometry, in pixels.
const QSizeF mapSize(790, 560);

QString problemText(PrintProblem problem)
{
    switch (problem) {
    case PrintProblem::None:
        return {};
    case PrintProblem::PageTooSmall:
        return QStringLiteral("the paper is too small for the sheet");
    case PrintProblem::NoVisibleExtent:
        return QStringLiteral("the map shows no area");
    case PrintProblem::ScaleNotPositive:
        return QStringLiteral("the scale is not above 0");
    case PrintProblem::NothingToDraw:
        return QStringLiteral("no plots to draw");
    case PrintProblem::DeviceRefused:
        return QStringLiteral("the file cannot be written");
    case PrintProblem::DeliveryFailed:
        return QStringLiteral("the file could not be completed");
    }
    return {};
}

PlotListRow listRow(const PlotRecord& plot, const QString& label)
{
    return {plot.ordner,    label,       plot.farbe,    plot.flaeche,
            plot.erntejahr, plot.kultur, plot.anmerkung};
}
int print(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString scale = line.value(QStringLiteral("scale"));
    if (!scale.isEmpty() && !ScaleText::commandScale(scale))
        return line.usageError(err, ScaleText::commandScaleRefusal(scale));
    QPageSize::PageSizeId paper = QPageSize::A4;
    if (const QString name = line.value(QStringLiteral("paper")); name.isEmpty())
        paper = QPageSize::A4;
    else if (name.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0)
        paper = QPageSize::A3;
    else if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
        return line.usageError(err, QStringLiteral("unknown paper %1 (A4 or A3)").arg(name));
    PrintOptions options;
    options.list = line.isSet(QStringLiteral("list"));
    options.ownPage = line.isSet(QStringLiteral("own-page"));
    options.subtotals = line.isSet(QStringLiteral("subtotals"));
    options.labels = line.isSet(QStringLiteral("labels"));
    options.displayedScale = !scale.isEmpty();
    if ((options.ownPage || options.subtotals) && !options.list)
        return line.usageError(err, QStringLiteral("%1 needs --list")
                                        .arg(options.ownPage ? "--own-page" : "--subtotals"));
    const QString outFile = line.value(QStringLiteral("out"));

    CommandFolder folder(line, err);
    if (!folder.open({}))
        return 1;
    ProgramState& state = folder.state();
    const std::optional<QStringList> farms = CommandFarms::named(folder, line, err);
    if (!farms)
        return 1;
    OperationError error;

    PdfFileTarget target(outFile,
                         PdfFileTarget::pageLayout(paper, line.isSet(QStringLiteral("landscape"))
                                                              ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait),
                         ProgramState::programTitle());
    if (!target.isReady())
        return folder.fail(outFile, target.refusal());
    const PrintTexts texts = PrintTexts::fromCatalogue(state);
    PrintDocument document(target, texts);
    MapDocument map;
    map.viewport().resize(mapSize);
    DocumentSheetMap sheetMap(map);
    int sheets = 0;
    for (const QString& farm : *farms) {
        const QList<PlotRecord> plots = CommandFarms::pickedPlots(state, {farm}, &error);
        LayerDisplay::release(map, state);
        const FieldLayers::Staged staged = FieldLayers::stage(state.programmpfad, plots);
        if (error.isError() || staged.error.isError()) {
            const OperationError& e = error.isError() ? error : staged.error;
            return folder.fail(e);
        }
        state.ansichtnummer = 0;
        QList<OperationError> problems;
        state.undrawnFiles.clear();
        if (!plots.isEmpty()) {
            state.stagedOrigins = staged.origins;
            sheetMap.setLabelTexts(PlotLabelTexts::of(staged, plots));
            problems += LayerDisplay::show(map, state, StagingFolder::path(state.programmpfad),
                                           staged.files, staged.colours)
                            .problems;
        }
        // Every plot file the sheet leaves out is named with its reason.
        for (const OperationError& problem : problems)
            err << "print: " << QDir::toNativeSeparators(problem.where) << ": " << problem.detail
                << ", not drawn\n";
        const QStringList undrawn = state.undrawnFiles;
        SheetSource source;
        source.map = &sheetMap;
        source.scaleBoxText =
            options.displayedScale ? scale : QString::number(qRound64(map.Scale()));
        source.kartenanzeige = MapContent::Plots;
        for (const PlotRecord& plot : plots) {
            const QString label = PlotListLayout::plotLabel(plot.name, plot.nummer, plot.teil);
            source.plots.append(
                listRow(plot, undrawn.contains(FieldLayers::origin(state.programmpfad, plot))
                                  ? texts.undrawnLabel(label)
                                  : label));
        }
        source.gpsRows = folder.database().gpsCount();
        source.areaBoxText = PlotListLayout::areaText(staged.areaHa);
        const PrintProblem problem = document.addSheet(source, options);
        if (problem == PrintProblem::NothingToDraw || problem == PrintProblem::NoVisibleExtent) {
            err << "print: " << farm << ": " << problemText(problem) << ", left out\n";
            continue;
        }
        if (problem != PrintProblem::None)
            return folder.fail(farm, problemText(problem));
        ++sheets;
    }
    LayerDisplay::release(map, state);
    const PrintProblem finished = document.finish();
    if (finished != PrintProblem::None)
        return folder.fail(outFile, sheets == 0 ? QStringLiteral("no sheet to print")
                                                : problemText(finished));
    out << QDir::toNativeSeparators(target.name()) << ": " << sheets
        << (sheets == 1 ? " sheet\n" : " sheets\n");
    return 0;
}
} // namespace

CliCommand CliCommands::print()
{
    return {QStringLiteral("print"),
            QStringLiteral("print the map sheet of each named farm (of every farm when none is "
                           "named) into one PDF file; the map fills the width, or is printed at "
                           "1:N with --scale; --list adds the plot list, --own-page on a page of "
                           "its own, --subtotals with a subtotal per crop; --labels writes the "
                           "plots' names into the map"),
            [](CommandLine& line) {
                CommandFarms::declareDrawing(line, "FILE.pdf",
                                             QStringLiteral("the PDF file written"))
                    .flag("list", QStringLiteral("add the list of the plots"))
                    .flag("own-page", QStringLiteral("the plot list on a page of its own"))
                    .flag("subtotals", QStringLiteral("a subtotal per crop in the plot list"))
                    .flag("labels", QStringLiteral("the plots' names in the map"))
                    .option("paper", "A4|A3", QStringLiteral("the paper size (default A4)"))
                    .flag("landscape", QStringLiteral("turn the paper"));
            },
            ::print, true};
}
