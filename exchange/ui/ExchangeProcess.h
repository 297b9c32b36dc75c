#pragma once

#include <QString>
#include <QStringList>

// Runs a command of the command-line program (which alone links GDAL) as a
// child process, with the wait cursor, and returns what it said. A child
// that cannot start, crashes or runs longer than ten minutes (it is then
// ended) gives exitCode -1.
namespace ExchangeProcess {

struct Output {
    int exitCode = -1;
    QString out;
    QString err;
};

Output run(const QStringList& arguments);

} // namespace ExchangeProcess
