#pragma once

#include <QProcess>
#include <QStringList>

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

// What a run of a command-line program gave.
struct CliRun {
    int exitCode = -1; // -1: it crashed or did not end
    QString out;
    QString err;
};

// Runs program with args; asNobody: as the user "nobody" when the test runs
// as root, so that file permissions hold.
inline CliRun runCli(const QString& program, const QStringList& args, bool asNobody = false)
{
    QProcess process;
    const passwd* nobody = ::geteuid() == 0 && asNobody ? ::getpwnam("nobody") : nullptr;
    if (nobody) {
        const uid_t uid = nobody->pw_uid;
        const gid_t gid = nobody->pw_gid;
        process.setChildProcessModifier([uid, gid] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
                ::_exit(90);
        });
    }
    process.start(program, args);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
