#pragma once

#include <QStringList>
#include <QTextStream>

// The command "sorvan-gis shpdump FILE.shp": args are the arguments after the
// subcommand name. Prints the shapefile listing (ShapeDump.h) on out, one line per value,
// and returns 0. A file that is missing or damaged: the listing as far as it
// could be read on out, one English line "shpdump: ..." saying what is wrong
// on err, and 1. Wrong arguments: the usage on err and 2 ("-h"/"--help": the
// usage on out and 0).
int runShapeDumpCommand(const QStringList& args, QTextStream& out, QTextStream& err);

// The usage text, one line, without line break.
QString shapeDumpUsage();
