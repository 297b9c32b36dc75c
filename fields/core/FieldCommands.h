#pragma once

#include <QStringList>
#include <QTextStream>

// The "farms" and "plots" commands of the command-line program; args are what
// follows the command word. Both open the project database of the program
// folder named by --folder, synchronise it with the farm folders and print a
// tab-separated listing (FieldListing) on out. They return 0 on success, 2
// on a usage error and 1 when the folder cannot be read or synchronised (the
// message on err names the file or farm).
int runFarmsCommand(const QStringList& args, QTextStream& out, QTextStream& err);
int runPlotsCommand(const QStringList& args, QTextStream& out, QTextStream& err);
