#pragma once

#include <QStringList>
#include <QTextStream>

// The "print" command of the command-line program; args are what follows the
// command word:
//   --folder DIR --out FILE.pdf [--farm NAME]... [--scale N] [--list]
//   [--own-page] [--paper A4|A3] [--landscape]
// Writes one map sheet per named farm (per farm when none is named) into one
// PDF file, each showing the farm's plots as the window does after picking
// that farm, by the window's own print run on a map of a fixed size. Without
// --scale the visible map fills the width; with it, the map is printed at
// 1:N. A farm without plots to draw is left out and named on err. Returns 0
// when the file was written, 2 on a usage error, 1 on any other failure (no
// file is then left behind). Needs a QGuiApplication (fonts).
int runPrintCommand(const QStringList& args, QTextStream& out, QTextStream& err);
