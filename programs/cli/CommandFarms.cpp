#include "CommandFarms.h"

#include "CommandFolder.h"
#include "CommandLine.h"

#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "ProgramState.h"
#include "SortOrders.h"

namespace CommandFarms {

CommandLine& declareDrawing(CommandLine& line, const QString& outValueName, const QString& outHelp)
{
    return line.folder()
        .out(outValueName, outHelp)
        .farms(QStringLiteral("a farm whose plots are drawn"))
        .option(QStringLiteral("scale"), QStringLiteral("N"),
                QStringLiteral("draw at 1:N (default: all plots fill the map)"));
}

QStringList known(ProgramState& state, OperationError* error)
{
    *error = FieldFolderSync(state).betriebsdatenladen().error;
    QStringList names;
    if (error->isError())
        return names;
    for (const FarmRow& farm :
         FieldQueries(*state.database).farmGrid(state.betriebsortierung, error))
        names.append(farm.name);
    if (error->isError())
        names.clear();
    return names;
}

std::optional<QStringList> chosen(const QStringList& known, const QStringList& named,
                                  const QString& command, QTextStream& err)
{
    if (named.isEmpty())
        return known;
    QStringList chosen;
    for (const QString& name : named) {
        qsizetype index = known.indexOf(name);
        for (qsizetype i = 0; index < 0 && i < known.size(); ++i)
            if (known.at(i).compare(name, Qt::CaseInsensitive) == 0)
                index = i;
        if (index < 0) {
            err << command << ": no farm of this name: " << name << '\n';
            return std::nullopt;
        }
        if (!chosen.contains(known.at(index)))
            chosen.append(known.at(index));
    }
    return chosen;
}

std::optional<QStringList> named(CommandFolder& folder, const CommandLine& line, QTextStream& err)
{
    OperationError error;
    const QStringList farms = known(folder.state(), &error);
    if (error.isError()) {
        folder.fail(error);
        return std::nullopt;
    }
    return chosen(farms, line.values(QStringLiteral("farm")), line.command(), err);
}

QList<PlotRecord> pickedPlots(ProgramState& state, const QStringList& farms, OperationError* error)
{
    state.schlagsortierung =
        farms.size() == 1 ? SortOrders::plotSingleFarm() : SortOrders::plotDefault();
    *error = FieldFolderSync(state).schlagdatenabgleichen(farms).error;
    QList<PlotRecord> plots;
    if (!error->isError())
        for (const PlotRow& row :
             FieldQueries(*state.database).fieldGrid(state.schlagsortierung, error))
            plots.append(row.record);
    if (error->isError())
        plots.clear();
    return plots;
}

} // namespace CommandFarms
