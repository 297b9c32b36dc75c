#pragma once

#include <QStringList>
#include <QTextStream>

// The "gps" and "assign" commands of the command-line program; args are what
// follows the command word. Both open the project database of the program
// folder named by --folder and import the GPS source folder as the GPS
// window does.
// - gps --folder DIR [--source SRC]: prints one tab-separated line per
//   gpsdaten row in name order: base name, Datum, then area, perimeter and
//   largest DOP from its description file ("." as decimal sign; a cell whose
//   value cannot be read stays empty, and err names the file).
// - assign --folder DIR --source SRC --farm NAME MEASUREMENT...: assigns the
//   measurements to the farm with the window's checks; refusals and failures
//   go to err in the program folder's language.
// Return 0 on success, 2 on a usage error, 1 on failure or refusal.
int runGpsCommand(const QStringList& args, QTextStream& out, QTextStream& err);
int runAssignCommand(const QStringList& args, QTextStream& out, QTextStream& err);
