#include "DesktopOpener.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace DesktopOpener {

namespace {
// Long enough for xdg-open to find no program and say so; a browser or mail
// program it starts in the foreground keeps it running past this.
constexpr int answerWaitMs = 1500;
} // namespace

bool open(const QUrl& url)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return QDesktopServices::openUrl(url);
    // Owned by the application, so a program still running after the wait
    // is not ended when this call returns.
    auto* process = new QProcess(QCoreApplication::instance());
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError e) {
                         if (e == QProcess::FailedToStart)
                             process->deleteLater();
                     });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(xdgOpen, {QString::fromUtf8(url.toEncoded())});
    if (!process->waitForStarted())
        return false;
    if (!process->waitForFinished(answerWaitMs))
        return true;
    return process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
}

} // namespace DesktopOpener
