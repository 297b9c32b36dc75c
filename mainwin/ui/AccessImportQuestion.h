#pragma once

#include "AccessImportReport.h"

#include <QString>
#include <optional>

class QWidget;
struct ProgramState;

// The viewer's side of bringing an Access project database of the earlier
// Windows version over: the question, the import run by the command-line
// program with the wait pointer shown, and the account of what came over.
namespace AccessImportQuestion {

// Asks whether to import accessFile, naming what becomes of it. True on Yes.
bool ask(QWidget* parent, const ProgramState& state, const QString& accessFile);

// Imports accessFile with the program sorvan-gis (AccessImportProcess). On
// failure tells the user why and that the folder is unchanged, and returns
// nothing.
std::optional<AccessImportReport> run(QWidget* parent, const ProgramState& state,
                                      const QString& program, const QString& accessFile);

// The counts, the columns left out and what the checks found, in one box.
void showReport(QWidget* parent, const ProgramState& state, const AccessImportReport& report);

} // namespace AccessImportQuestion
