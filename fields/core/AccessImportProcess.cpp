#include "AccessImportProcess.h"

#include <QProcess>

namespace AccessImportProcess {

Outcome run(const QString& program, const QString& programFolder, const QString& accessFile,
            int timeoutMs)
{
    QProcess child;
    child.setProgram(program);
    child.setArguments(
        {QStringLiteral("import-mdb"), QStringLiteral("--folder"), programFolder, accessFile});
    child.start();
    if (!child.waitForStarted())
        return {{ErrorKind::FileNotFound, child.errorString(), program}, {}};
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return {{ErrorKind::AccessDamaged, QStringLiteral("the reader did not finish"), accessFile},
                {}};
    }
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.readAllStandardError());
    if (child.exitStatus() == QProcess::CrashExit)
        return {{ErrorKind::AccessDamaged, QStringLiteral("the reader stopped unexpectedly"),
                 accessFile},
                {}};
    if (child.exitCode() != 0) {
        OperationError error = AccessImportOutput::readFailure(err);
        if (!error.isError())
            error = {ErrorKind::PathFileAccess,
                     err.trimmed().isEmpty() ? QStringLiteral("exit code %1").arg(child.exitCode())
                                             : err.trimmed(),
                     accessFile};
        return {error, {}};
    }
    return {OperationError::none(), AccessImportOutput::readReport(out, err)};
}

} // namespace AccessImportProcess
