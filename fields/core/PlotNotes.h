#pragma once

#include "FieldFolderSync.h"

#include <QStringList>

struct ProgramState;

// The notes of a synchronisation as lines for one message (window) or for
// standard error (command line): one line per note naming the farm folder
// or plot file and what is odd about it, in the current language, or in
// English when no catalogue is open.
namespace PlotNotes {

QStringList lines(const ProgramState& state, const QList<PlotNote>& notes);

} // namespace PlotNotes
