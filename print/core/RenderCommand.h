#pragma once

#include <QStringList>
#include <QTextStream>

// The "render" command of the command-line program; args are what follows the
// command word:
//   --folder DIR --out FILE.png [--farm NAME]... [--size WxH] [--scale N]
// Draws the plots of the named farms (of every farm when none is named)
// together, as the viewer shows them after picking those farms: in their
// colours, zoomed to all, or at 1:N about the same centre with --scale. The
// picture is WxH pixels (default 1200x900). Returns 0 when the file was
// written, 2 on a usage error, 1 on any other failure (the file is then as
// it was). Needs a QGuiApplication.
int runRenderCommand(const QStringList& args, QTextStream& out, QTextStream& err);
