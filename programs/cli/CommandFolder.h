#pragma once

#include "ProgramFolder.h"

#include <QTextStream>

class CommandLine;

// The program folder a command names with --folder, opened as the viewer
// opens it; what opening did or found is written to err as "command: ...".
class CommandFolder : public ProgramFolder {
public:
    CommandFolder(const CommandLine& line, QTextStream& err);

    // Opens the folder (installing only into an existing folder). Reports the
    // files put in, a file that could not be, and a change that could not be
    // finished; false, reported, when the database cannot be opened.
    bool open(const Steps& steps);

    // "command: where: detail" on err.
    void report(const OperationError& error) const;
    // Reports error; returns exit code 1.
    int fail(const OperationError& error) const;
    int fail(const QString& where, const QString& what) const;

protected:
    QString m_command;
    QTextStream& m_err;
};
