#include "ExchangeProcess.h"

#include "WaitCursor.h"

#include <QCoreApplication>
#include <QProcess>

namespace ExchangeProcess {

Output run(const QStringList& arguments)
{
    const WaitCursor waiting;
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/sorvan-gis"),
                  arguments);
    Output output;
    if (!process.waitForFinished(10 * 60 * 1000)) {
        process.kill();
        process.waitForFinished();
        output.err = process.errorString();
        return output;
    }
    output.out = QString::fromUtf8(process.readAllStandardOutput());
    output.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        output.exitCode = process.exitCode();
    return output;
}

} // namespace ExchangeProcess
