// farms and plots: the farm list and the field grid after synchronising.
#include "CliCommands.h"
#include "CommandFolder.h"
#include "FieldListing.h"
#include "PlotNotes.h"

namespace {

int list(const CommandLine& line, QTextStream& out, QTextStream& err, bool plots)
{
    CommandFolder folder(line, err);
    ProgramFolder::Steps steps;
    steps.catalogue = false; // notes in English
    FieldListing::Listing listing;
    if (folder.open(steps)) {
        listing = plots ? FieldListing::plots(folder.state(), line.values(QStringLiteral("farm")))
                        : FieldListing::farms(folder.state());
        for (const QString& note : PlotNotes::lines(folder.state(), listing.notes))
            err << line.command() << ": " << note << '\n';
        if (listing.error.isError())
            return folder.fail(listing.error);
    } else {
        return 1;
    }
    for (const QString& text : listing.lines)
        out << text << '\n';
    return 0;
}
} // namespace

CliCommand CliCommands::farms()
{
    return {QStringLiteral("farms"),
            QStringLiteral("synchronise the farm folders, then list each farm: name, plots found "
                           "in its folder, their area in ha"),
            [](CommandLine& line) { line.folder(); },
            [](const CommandLine& line, QTextStream& out, QTextStream& err) {
                return list(line, out, err, false);
            }};
}

CliCommand CliCommands::plots()
{
    return {QStringLiteral("plots"),
            QStringLiteral("synchronise and list the plots of the named farms (all farms when "
                           "none is named), a header line first"),
            [](CommandLine& line) {
                line.folder().farms(QStringLiteral("a farm whose plots are listed"));
            },
            [](const CommandLine& line, QTextStream& out, QTextStream& err) {
                return list(line, out, err, true);
            }};
}
