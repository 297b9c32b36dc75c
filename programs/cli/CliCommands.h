#pragma once

#include "CliCommand.h"

#include <QStringList>
#include <QTextStream>

// The commands of sorvan-gis, each declared in a file of its own.
namespace CliCommands {
CliCommand assign();
CliCommand demo();
CliCommand exportPlots();
CliCommand farms();
CliCommand gps();
CliCommand importMdb();
CliCommand importPlots();
CliCommand plots();
CliCommand print();
CliCommand render();
CliCommand shapeDump();
} // namespace CliCommands
