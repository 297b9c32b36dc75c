#pragma once

#include "CommandLine.h"

#include <QTextStream>

// One command of sorvan-gis: its name, what it does, its arguments declared
// on a CommandLine and the work done with them.
struct CliCommand {
    QString name;
    QString summary;
    void (*declare)(CommandLine& line);
    int (*body)(const CommandLine& line, QTextStream& out, QTextStream& err);
    // Draws or prints: needs the fonts of a GUI application.
    bool draws = false;

    CommandLine commandLine() const;
    // True when the command draws and args ask it to run (not for help or
    // wrong arguments, which need no display).
    bool drawsWith(const QStringList& args) const;
    // Parses args (without the command name) and runs the command: 0 done,
    // 1 failed, 2 wrong arguments (the usage on err); --help shows the help.
    int run(const QStringList& args, QTextStream& out, QTextStream& err) const;
};

// Every command, sorted by name.
const QList<CliCommand>& cliCommands();
// Runs the command called name on args (its name left out) as sorvan-gis
// does; an unknown name gives the program's usage on err and exit code 2.
int runCommand(const QString& name, const QStringList& args, QTextStream& out, QTextStream& err);
// The program's usage: every command's usage line and summary.
QString programUsage();
