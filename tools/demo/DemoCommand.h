#pragma once

#include <QStringList>
#include <QTextStream>

// The "demo" command of the command-line program: args are what follows the
// command word, "DIR [--seed N]". Builds a demo program folder in DIR and
// prints a short summary to out. Returns 0 on success, 2 on a usage error and
// 1 when the folder could not be built (the message on err names the file or
// folder).
int runDemoCommand(const QStringList& args, QTextStream& out, QTextStream& err);
