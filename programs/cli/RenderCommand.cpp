// render: the farms' plots drawn together as the viewer shows them, into a picture.
#include "CliCommands.h"
#include "CommandFarms.h"
#include "CommandFolder.h"
#include "FieldLayers.h"
#include "LayerDisplay.h"
#include "MapDocument.h"
#include "MapPicture.h"
#include "PlotLabelTexts.h"
#include "ScaleText.h"
#include "StagingFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <optional>

namespace {
int render(const CommandLine& line, QTextStream& out, QTextStream& err);
} // namespace

// What render does, for the usage.
const char* const renderSummary =
    "draw the plots of the named farms (of every farm when none is named) together as a PNG "
    "picture or an SVG drawing of WxH pixels (default 1200x900), zoomed to all or at 1:N, with "
    "--labels labelled with the plots' names";

CliCommand CliCommands::render()
{
    return {QStringLiteral("render"), QString::fromUtf8(renderSummary),
            [](CommandLine& line) {
                CommandFarms::declareDrawing(line, "FILE.png|FILE.svg",
                                             QStringLiteral("the picture written"))
                    .option("size", "WxH", QStringLiteral("the picture's size in pixels"))
                    .flag("labels", QStringLiteral("the plots' names in the map"));
            },
            ::render, true};
}

namespace {
std::optional<QSize> parseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > MapPicture::maxSide ||
        size.height() > MapPicture::maxSide)
        return std::nullopt;
    return size;
}

int render(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    QSize size(1200, 900);
    if (const QString text = line.value(QStringLiteral("size")); !text.isEmpty()) {
        const std::optional<QSize> parsed = parseSize(text);
        if (!parsed)
            return line.usageError(err, QStringLiteral("the size must be WIDTHxHEIGHT, each from 1 "
                                                       "to %1 pixels: %2")
                                            .arg(MapPicture::maxSide)
                                            .arg(text));
        size = *parsed;
    }
    const QString scaleText = line.value(QStringLiteral("scale"));
    const qint32 scale = scaleText.isEmpty() ? 0 : ScaleText::commandScale(scaleText).value_or(-1);
    if (scale < 0)
        return line.usageError(err, ScaleText::commandScaleRefusal(scaleText));
    const QString outFile = line.value(QStringLiteral("out"));
    if (!MapPicture::isPicturePath(outFile))
        return line.usageError(err, QStringLiteral("the picture must be a .png or .svg file: ") +
                                        outFile);

    CommandFolder folder(line, err);
    ProgramFolder::Steps steps;
    steps.catalogue = false;
    if (!folder.open(steps))
        return 1;
    const std::optional<QStringList> farms = CommandFarms::named(folder, line, err);
    if (!farms)
        return 1;
    ProgramState& state = folder.state();
    OperationError error;
    const QList<PlotRecord> plots = CommandFarms::pickedPlots(state, *farms, &error);
    if (error.isError())
        return folder.fail(error);

    MapDocument map;
    map.viewport().resize(QSizeF(size));
    const FieldLayers::Staged staged = FieldLayers::stage(state.programmpfad, plots);
    if (staged.error.isError())
        return folder.fail(staged.error);
    state.stagedOrigins = staged.origins;
    const LayerDisplay::Result shown =
        plots.isEmpty() ? LayerDisplay::Result{}
                        : LayerDisplay::show(map, state, StagingFolder::path(state.programmpfad),
                                             staged.files, staged.colours);
    for (const OperationError& problem : shown.problems)
        err << "render: " << QDir::toNativeSeparators(problem.where) << ": " << problem.detail
            << ", left out\n";
    if (!shown.shown || !map.dataExtent().valid) {
        LayerDisplay::release(map, state);
        return folder.fail(line.value(QStringLiteral("folder")),
                           QStringLiteral("no plots to draw"));
    }
    if (scale > 0)
        map.setScale(scale);
    PlotLabels labels;
    labels.shown = line.isSet(QStringLiteral("labels"));
    labels.texts = PlotLabelTexts::of(staged, plots);
    error = MapPicture::write(outFile, map.views(), map.viewport().window(), size, {}, &labels);
    const double drawnScale = map.Scale();
    LayerDisplay::release(map, state);
    if (error.isError())
        return folder.fail(outFile, error.detail);
    out << QDir::toNativeSeparators(QFileInfo(outFile).absoluteFilePath()) << ": " << size.width()
        << 'x' << size.height() << ", " << plots.size() << (plots.size() == 1 ? " plot" : " plots")
        << ", 1:" << qRound64(drawnScale) << '\n';
    return 0;
}
} // namespace
