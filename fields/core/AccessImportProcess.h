#pragma once

#include "AccessImportReport.h"
#include "OperationError.h"

#include <QString>

// Runs the import of an Access project database in the command-line program
// ("sorvan-gis import-mdb") as a child process and reads its outcome back, so
// that a damaged file that makes the Access reader crash or hang ends only
// the child, never the viewer. The child reads the whole file before it
// writes anything, so a crash leaves the program folder as it was.
namespace AccessImportProcess {

struct Outcome {
    OperationError error;
    AccessImportReport report; // when error is none
};

// program: the sorvan-gis executable. A child that cannot start, crashes or
// runs longer than timeoutMs (then it is ended) fails the import.
Outcome run(const QString& program, const QString& programFolder, const QString& accessFile,
            int timeoutMs = 5 * 60 * 1000);

} // namespace AccessImportProcess
