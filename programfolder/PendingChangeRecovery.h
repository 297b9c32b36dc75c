#pragma once

#include "OperationError.h"

struct ProgramState;

// Finishes a change to plot files and rows that was cut short (a deletion or
// an assignment, see PendingChange), once the project database is open and
// before anything else changes. Nothing recorded: nothing to do. A change
// that cannot be finished now stays recorded for the next start.
namespace PendingChangeRecovery {

OperationError finish(ProgramState& state);

} // namespace PendingChangeRecovery
