#include "PrintCommand.h"

#include "CommandFarms.h"
#include "DocumentSheetMap.h"
#include "FieldFolderSync.h"
#include "FieldLayers.h"
#include "FieldQueries.h"
#include "LanguageFile.h"
#include "LayerDisplay.h"
#include "PdfFileTarget.h"
#include "PlotLabelTexts.h"
#include "PlotListLayout.h"
#include "PrintRun.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "SortOrders.h"
#include "StagingFolder.h"
#include "TextCatalogue.h"

#include <QDir>
#include <optional>

namespace {
const char* const usage = "usage: sorvan-gis print --folder DIR --out FILE.pdf [--farm NAME]... "
                          "[--scale N] [--list] [--own-page] [--subtotals] [--labels] "
                          "[--paper A4|A3] [--landscape]\n";

// The size of the map in the main window at its default geometry, in pixels.
const QSizeF mapSize(790, 560);

struct Arguments {
    QString folder;
    QString out;
    QStringList farms;
    QString scale; // empty: fill the width
    PrintOptions options;
    QPageSize::PageSizeId paper = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

std::optional<Arguments> parse(const QStringList& args, QTextStream& err)
{
    Arguments a;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--list")) {
            a.options.list = true;
            continue;
        }
        if (arg == QLatin1String("--own-page")) {
            a.options.ownPage = true;
            continue;
        }
        if (arg == QLatin1String("--subtotals") || arg == QLatin1String("--labels")) {
            (arg == QLatin1String("--labels") ? a.options.labels : a.options.subtotals) = true;
            continue;
        }
        if (arg == QLatin1String("--landscape")) {
            a.orientation = QPageLayout::Landscape;
            continue;
        }
        const QStringList valued = {"--folder", "--out", "--farm", "--scale", "--paper"};
        if (!valued.contains(arg) || i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
            err << "print: " << (valued.contains(arg) ? "no value for " : "unexpected argument: ")
                << arg << '\n';
            return std::nullopt;
        }
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--folder")) {
            a.folder = value;
        } else if (arg == QLatin1String("--out")) {
            a.out = value;
        } else if (arg == QLatin1String("--farm")) {
            a.farms.append(value);
        } else if (arg == QLatin1String("--scale")) {
            bool ok = false;
            if (value.toLongLong(&ok) <= 0 || !ok || value.size() > 7) {
                err << "print: the scale must be a whole number from 1 to 9999999: " << value
                    << '\n';
                return std::nullopt;
            }
            a.scale = value;
            a.options.displayedScale = true;
        } else if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0) {
            a.paper = QPageSize::A4;
        } else if (value.compare(QLatin1String("A3"), Qt::CaseInsensitive) == 0) {
            a.paper = QPageSize::A3;
        } else {
            err << "print: unknown paper " << value << " (A4 or A3)\n";
            return std::nullopt;
        }
    }
    if (a.folder.isEmpty() || a.out.isEmpty()) {
        err << "print: "
            << (a.folder.isEmpty() ? "no program folder given" : "no output file given") << '\n';
        return std::nullopt;
    }
    if ((a.options.ownPage || a.options.subtotals) && !a.options.list) {
        err << "print: " << (a.options.ownPage ? "--own-page" : "--subtotals") << " needs --list\n";
        return std::nullopt;
    }
    return a;
}

// The farms to print: the named ones as the farm grid spells them (matched
// ignoring case), or every farm.
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

int fail(QTextStream& err, const QString& where, const QString& what)
{
    err << "print: " << where << ": " << what << '\n';
    err.flush();
    return 1;
}

// The field grid after picking farm, all its rows chosen: the list's rows.
QList<PlotRecord> pickFarm(ProgramState& state, const QString& farm, OperationError* error)
{
    state.schlagsortierung = SortOrders::plotSingleFarm();
    *error = FieldFolderSync(state).schlagdatenabgleichen({farm}).error;
    if (error->isError())
        return {};
    QList<PlotRecord> plots;
    for (const PlotRow& row :
         FieldQueries(*state.database).fieldGrid(state.schlagsortierung, error))
        plots.append(row.record);
    return plots;
}

PlotListRow listRow(const PlotRecord& plot, const QString& label)
{
    return {plot.ordner,    label,       plot.farbe,    plot.flaeche,
            plot.erntejahr, plot.kultur, plot.anmerkung};
}
} // namespace

int runPrintCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const std::optional<Arguments> a = parse(args, err);
    if (!a) {
        err << usage;
        err.flush();
        return 2;
    }
    ProgramState state;
    state.programmpfad = QDir::cleanPath(QDir(a->folder).absolutePath());
    ProjectDatabase database;
    OperationError error = database.open(state.programmpfad);
    if (error.isError())
        return fail(err, error.where, error.detail);
    state.database = &database;
    TextCatalogue catalogue;
    if (!catalogue.open(state.programmpfad).isError())
        state.catalogue = &catalogue;
    state.sprache = LanguageFile::read(state.programmpfad).value_or(1);

    const QStringList known = CommandFarms::known(state, &error);
    if (error.isError())
        return fail(err, error.where, error.detail);
    const std::optional<QStringList> farms =
        CommandFarms::chosen(known, a->farms, QStringLiteral("print"), err);
    if (!farms)
        return 1;

    PdfFileTarget target(a->out, PdfFileTarget::pageLayout(a->paper, a->orientation),
                         ProgramState::programTitle());
    if (!target.isReady())
        return fail(err, a->out, target.refusal());
    const PrintTexts texts = PrintTexts::fromCatalogue(state);
    PrintDocument document(target, texts);
    MapDocument map;
    map.viewport().resize(mapSize);
    DocumentSheetMap sheetMap(map);
    int sheets = 0;
    for (const QString& farm : *farms) {
        const QList<PlotRecord> plots = pickFarm(state, farm, &error);
        LayerDisplay::release(map, state);
        const FieldLayers::Staged staged = FieldLayers::stage(state.programmpfad, plots);
        if (error.isError() || staged.error.isError()) {
            const OperationError& e = error.isError() ? error : staged.error;
            return fail(err, e.where, e.detail);
        }
        state.ansichtnummer = 0;
        state.kartenanzeige = 2;
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
            a->options.displayedScale ? a->scale : QString::number(qRound64(map.Scale()));
        source.kartenanzeige = state.kartenanzeige;
        for (const PlotRecord& plot : plots) {
            const QString label = PlotListLayout::plotLabel(plot.name, plot.nummer, plot.teil);
            source.plots.append(
                listRow(plot, undrawn.contains(FieldLayers::origin(state.programmpfad, plot))
                                  ? texts.undrawnLabel(label)
                                  : label));
        }
        source.gpsRows = database.gpsCount();
        source.areaBoxText = PlotListLayout::areaText(staged.areaHa);
        const PrintProblem problem = document.addSheet(source, a->options);
        if (problem == PrintProblem::NothingToDraw || problem == PrintProblem::NoVisibleExtent) {
            err << "print: " << farm << ": " << problemText(problem) << ", left out\n";
            continue;
        }
        if (problem != PrintProblem::None)
            return fail(err, farm, problemText(problem));
        ++sheets;
    }
    LayerDisplay::release(map, state);
    const PrintProblem finished = document.finish();
    if (finished != PrintProblem::None)
        return fail(err, a->out,
                    sheets == 0 ? QStringLiteral("no sheet to print") : problemText(finished));
    out << QDir::toNativeSeparators(target.name()) << ": " << sheets
        << (sheets == 1 ? " sheet\n" : " sheets\n");
    out.flush();
    err.flush();
    return 0;
}
