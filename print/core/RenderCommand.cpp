#include "RenderCommand.h"

#include "CommandFarms.h"
#include "FieldFolderSync.h"
#include "FieldLayers.h"
#include "FieldQueries.h"
#include "LayerDisplay.h"
#include "MapDocument.h"
#include "MapPicture.h"
#include "PlotLabelTexts.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "SortOrders.h"
#include "StagingFolder.h"

#include <QDir>
#include <QRegularExpression>
#include <optional>

namespace {
const char* const usage = "usage: sorvan-gis render --folder DIR --out FILE.png|FILE.svg "
                          "[--farm NAME]... [--size WxH] [--labels] [--scale N]\n";

struct Arguments {
    QString folder;
    QString out;
    QStringList farms;
    QSize size{1200, 900};
    qint32 scale = 0; // 0: zoomed to all
    bool labels = false;
};

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

std::optional<Arguments> parse(const QStringList& args, QTextStream& err)
{
    Arguments a;
    const QStringList valued = {"--folder", "--out", "--farm", "--size", "--scale"};
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--labels")) {
            a.labels = true;
            continue;
        }
        if (!valued.contains(arg) || i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
            err << "render: " << (valued.contains(arg) ? "no value for " : "unexpected argument: ")
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
        } else if (arg == QLatin1String("--size")) {
            const std::optional<QSize> size = parseSize(value);
            if (!size) {
                err << "render: the size must be WIDTHxHEIGHT, each from 1 to "
                    << MapPicture::maxSide << " pixels: " << value << '\n';
                return std::nullopt;
            }
            a.size = *size;
        } else {
            bool ok = false;
            a.scale = value.toInt(&ok);
            if (!ok || a.scale <= 0 || value.size() > 7) {
                err << "render: the scale must be a whole number from 1 to 9999999: " << value
                    << '\n';
                return std::nullopt;
            }
        }
    }
    if (a.folder.isEmpty() || a.out.isEmpty()) {
        err << "render: "
            << (a.folder.isEmpty() ? "no program folder given" : "no output file given") << '\n';
        return std::nullopt;
    }
    if (!MapPicture::isPicturePath(a.out)) {
        err << "render: the picture must be a .png or .svg file: " << a.out << '\n';
        return std::nullopt;
    }
    return a;
}

int fail(QTextStream& err, const QString& where, const QString& what)
{
    err << "render: " << QDir::toNativeSeparators(where) << ": " << what << '\n';
    err.flush();
    return 1;
}

} // namespace

int runRenderCommand(const QStringList& args, QTextStream& out, QTextStream& err)
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

    const QStringList known = CommandFarms::known(state, &error);
    if (error.isError())
        return fail(err, error.where, error.detail);
    const std::optional<QStringList> farms =
        CommandFarms::chosen(known, a->farms, QStringLiteral("render"), err);
    if (!farms)
        return 1;

    // Picking the farms in the farm grid: synchronise, then all rows of the field grid.
    state.schlagsortierung =
        farms->size() == 1 ? SortOrders::plotSingleFarm() : SortOrders::plotDefault();
    error = FieldFolderSync(state).schlagdatenabgleichen(*farms).error;
    QList<PlotRecord> plots;
    if (!error.isError())
        for (const PlotRow& row : FieldQueries(database).fieldGrid(state.schlagsortierung, &error))
            plots.append(row.record);
    if (error.isError())
        return fail(err, error.where, error.detail);

    MapDocument map;
    map.viewport().resize(QSizeF(a->size));
    const FieldLayers::Staged staged = FieldLayers::stage(state.programmpfad, plots);
    if (staged.error.isError())
        return fail(err, staged.error.where, staged.error.detail);
    state.kartenanzeige = 2;
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
        return fail(err, a->folder, QStringLiteral("no plots to draw"));
    }
    if (a->scale > 0)
        map.setScale(a->scale);
    PlotLabels labels;
    labels.shown = a->labels;
    labels.texts = PlotLabelTexts::of(staged, plots);
    error = MapPicture::write(a->out, map.views(), map.viewport().window(), a->size, {}, &labels);
    const double scale = map.Scale();
    LayerDisplay::release(map, state);
    if (error.isError())
        return fail(err, a->out, error.detail);
    out << QDir::toNativeSeparators(QFileInfo(a->out).absoluteFilePath()) << ": " << a->size.width()
        << 'x' << a->size.height() << ", " << plots.size()
        << (plots.size() == 1 ? " plot" : " plots") << ", 1:" << qRound64(scale) << '\n';
    out.flush();
    err.flush();
    return 0;
}
