#include "FieldCommands.h"

#include "FieldListing.h"
#include "PlotNotes.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"

#include <QDir>
#include <optional>

namespace {
struct Arguments {
    QString folder;
    QStringList farms;
};

// Returns nothing and explains why on err when args do not fit the usage.
std::optional<Arguments> parse(const QString& command, const QStringList& args, bool farmsAllowed,
                               QTextStream& err)
{
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool takesValue =
            arg == QLatin1String("--folder") || (farmsAllowed && arg == QLatin1String("--farm"));
        if (!takesValue || i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
            err << command << ": " << (takesValue ? "no value for " : "unexpected argument: ")
                << arg << '\n';
            return std::nullopt;
        }
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--farm"))
            parsed.farms.append(value);
        else
            parsed.folder = value;
    }
    if (parsed.folder.isEmpty()) {
        err << command << ": no program folder given\n";
        return std::nullopt;
    }
    return parsed;
}

int run(const QString& command, const QString& usage, const QStringList& args, bool farmsAllowed,
        QTextStream& out, QTextStream& err)
{
    const std::optional<Arguments> parsed = parse(command, args, farmsAllowed, err);
    if (!parsed) {
        err << "usage: sorvan-gis " << usage << '\n';
        err.flush();
        return 2;
    }
    ProgramState state;
    state.programmpfad = QDir::cleanPath(QDir(parsed->folder).absolutePath());
    ProjectDatabase database;
    OperationError error = database.open(state.programmpfad);
    FieldListing::Listing listing;
    if (!error.isError()) {
        state.database = &database;
        listing =
            farmsAllowed ? FieldListing::plots(state, parsed->farms) : FieldListing::farms(state);
        error = listing.error;
    }
    for (const QString& line : PlotNotes::lines(state, listing.notes))
        err << command << ": " << line << '\n';
    if (error.isError()) {
        err << command << ": " << error.where << ": " << error.detail << '\n';
        err.flush();
        return 1;
    }
    for (const QString& line : listing.lines)
        out << line << '\n';
    out.flush();
    return 0;
}
} // namespace

int runFarmsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(QStringLiteral("farms"), QStringLiteral("farms --folder DIR"), args, false, out,
               err);
}

int runPlotsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    return run(QStringLiteral("plots"), QStringLiteral("plots --folder DIR [--farm NAME]..."), args,
               true, out, err);
}
