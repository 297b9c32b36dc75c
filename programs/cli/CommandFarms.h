#pragma once

#include "OperationError.h"

#include <QStringList>
#include <QTextStream>

#include <optional>

struct ProgramState;
struct PlotRecord;

class CommandFolder;
class CommandLine;

// The farms a drawing command works on, picked as in the farm grid.
namespace CommandFarms {

// Declares what every drawing command takes: --folder DIR, --out with
// outValueName, --farm NAME... and --scale N.
CommandLine& declareDrawing(CommandLine& line, const QString& outValueName, const QString& outHelp);

// The farm grid's names after the farm folders were read in, as the farm
// window shows them; error is set (and the list empty) when that failed.
QStringList known(ProgramState& state, OperationError* error);

// The farms named (each matched exactly, else ignoring case, spelled as the
// grid spells it, each once), or every known farm when none is named. A name
// that is no farm is reported on err as "command: no farm of this name: ..."
// and gives nullopt.
std::optional<QStringList> chosen(const QStringList& known, const QStringList& named,
                                  const QString& command, QTextStream& err);

// chosen() for the --farm names of line among the farms known in folder;
// nullopt when that failed, the reason on err.
std::optional<QStringList> named(CommandFolder& folder, const CommandLine& line, QTextStream& err);

// The field grid's rows after picking farms in the farm grid: the plot
// files synchronised, every row chosen, in the grid's order for that many
// farms. error is set (and the list empty) when that failed.
QList<PlotRecord> pickedPlots(ProgramState& state, const QStringList& farms, OperationError* error);

} // namespace CommandFarms
