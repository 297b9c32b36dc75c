// Kill and fault runs over every operation that changes plot files or the
// database: each must leave, after a restart, every plot, farm and
// measurement as it was before or as the operation leaves it, and a database
// that passes its integrity check.
#include "FileGuard.h"
#include "PendingChangeRecovery.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Scenario.h"
#include "TestFolder.h"

#include <QDirIterator>
#include <QSqlQuery>
#include <QTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The step hook's orders: end the process at step killAt, or fail the steps
// from failFrom to failUntil (inclusive) with failWith; steps counts them.
int steps = 0;
int killAt = 0;
int failFrom = 0;
int failUntil = 0;
int failWith = 0;
QString failInside; // fail only steps on paths below this folder

int hook(FileGuard::Step, const QString& path)
{
    ++steps;
    if (steps == killAt)
        ::raise(SIGKILL);
    const bool inside = failInside.isEmpty() || path.startsWith(failInside);
    return (inside && steps >= failFrom && steps <= failUntil) ? failWith : 0;
}

void arm(int kill, int from, int until, int error, const QString& inside = {})
{
    steps = 0;
    killAt = kill;
    failFrom = from;
    failUntil = until;
    failWith = error;
    failInside = inside;
    FileGuard::setStepHook(hook);
}

// Opens the folder's database as the program does and runs fn on it.
template <typename Fn> auto withProgram(const QString& folder, Fn&& fn)
{
    ProjectDatabase database;
    database.open(folder);
    ProgramState state;
    state.programmpfad = folder;
    state.gpspfad = folder + "/gps";
    state.database = &database;
    return fn(state);
}

OperationError run(const Scenario& scenario, const QString& folder)
{
    return withProgram(folder, [&](ProgramState& state) { return scenario.run(state); });
}

// A restart: the database opened again and a change cut short finished.
void restart(const QString& folder)
{
    FileGuard::setStepHook(nullptr);
    withProgram(folder, [](ProgramState& state) { return PendingChangeRecovery::finish(state); });
}

// The steps of k to try out of 1 .. count: all for small operations, an even
// sample of about 60 for large ones.
QList<int> chosenSteps(int count)
{
    QList<int> chosen;
    const int stride = std::max(1, count / 60);
    for (int k = 1; k <= count; k += stride)
        chosen.append(k);
    if (chosen.last() != count)
        chosen.append(count);
    return chosen;
}
} // namespace

class tst_Reliability : public QObject {
    Q_OBJECT

    struct Run {
        const Scenario& scenario;
        QMap<QString, QString> before;
        QMap<QString, QString> after;
        int stepCount = 0;
        QStringList wrong;
    };

    // A fresh program folder for one run: a copy of the scenario's first
    // (copying spares the database's synced commits of setting up).
    std::unique_ptr<TestFolder> fresh()
    {
        auto folder = std::make_unique<TestFolder>();
        QDirIterator entries(m_template->path(),
                             QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QFileInfo entry(entries.next());
            const QString target =
                folder->file(QDir(m_template->path()).relativeFilePath(entry.filePath()));
            if (entry.isDir())
                QDir().mkpath(target);
            else
                QFile::copy(entry.filePath(), target);
        }
        return folder;
    }
    std::unique_ptr<TestFolder> m_template;

    void check(Run& r, const QString& folder, const QString& label)
    {
        restart(folder);
        for (const QString& key : inconsistencies(snapshot(folder), r.before, r.after))
            r.wrong.append(label + ": " + key);
    }

    Run prepare(const Scenario& scenario)
    {
        Run r{scenario, {}, {}, 0, {}};
        m_template = std::make_unique<TestFolder>();
        scenario.setUp(m_template->path());
        const auto folder = fresh();
        r.before = snapshot(folder->path());
        arm(0, 0, 0, 0);
        const OperationError error = run(scenario, folder->path());
        r.stepCount = steps;
        FileGuard::setStepHook(nullptr);
        r.after = snapshot(folder->path());
        if (error.isError())
            qWarning() << scenario.name << "fails without faults:" << error.detail << error.where;
        return r;
    }

private slots:
    // Every commit on disk before it returns, with a rollback journal beside
    // the database.
    void databaseIsSynced()
    {
        TestFolder folder;
        QVERIFY(!ProjectDatabase::createEmpty(folder.file("GISDATEN.MDB")).isError());
        ProjectDatabase database;
        QVERIFY(!database.open(folder.path()).isError());
        QSqlQuery query(database.database());
        QVERIFY(query.exec("pragma synchronous") && query.next());
        QCOMPARE(query.value(0).toInt(), 2);
        QVERIFY(query.exec("pragma journal_mode") && query.next());
        QCOMPARE(query.value(0).toString(), QString("delete"));
    }

    void killsAndFaults_data()
    {
        QTest::addColumn<int>("index");
        const QList<Scenario> all = scenarios();
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(all.at(i).name)) << i;
    }

    void killsAndFaults()
    {
        QFETCH(int, index);
        const Scenario scenario = scenarios().at(index);
        Run r = prepare(scenario);
        QVERIFY(r.stepCount > 0);
        QVERIFY(r.before != r.after);

        int kills = 0;
        for (int k : chosenSteps(r.stepCount)) {
            const auto folder = fresh();
            const pid_t child = ::fork();
            if (child == 0) {
                arm(k, 0, 0, 0);
                run(scenario, folder->path());
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, "the step count changed");
            ++kills;
            check(r, folder->path(), QStringLiteral("killed at step %1").arg(k));
        }

        // A fault once, every step failing from k on, a read-only farm folder
        // and a full disk from k on.
        int faults = 0;
        for (int k : chosenSteps(r.stepCount)) {
            struct Fault {
                const char* what;
                int until;
                int error;
                QString inside;
            };
            const Fault kinds[] = {{"fails once", k, EIO, {}},
                                   {"fails from", INT_MAX, EIO, {}},
                                   {"disk full from", INT_MAX, ENOSPC, {}},
                                   {"read-only farm folder", INT_MAX, EROFS, "/Hof A"}};
            for (const Fault& fault : kinds) {
                const auto folder = fresh();
                const QString inside =
                    fault.inside.isEmpty() ? QString() : folder->path() + fault.inside;
                arm(0, k, fault.until, fault.error, inside);
                const OperationError error = run(scenario, folder->path());
                ++faults;
                if (error.isError() && error.detail.isEmpty() && error.where.isEmpty())
                    r.wrong.append(QStringLiteral("%1 %2: a failure without a message")
                                       .arg(fault.what)
                                       .arg(k));
                check(r, folder->path(), QStringLiteral("%1 step %2").arg(fault.what).arg(k));
            }
        }
        qInfo().noquote() << QStringLiteral("%1: %2 kills, %3 faults, %4 inconsistencies")
                                 .arg(scenario.name)
                                 .arg(kills)
                                 .arg(faults)
                                 .arg(r.wrong.size());
        for (const QString& line : std::as_const(r.wrong).mid(0, 10))
            qWarning().noquote() << line;
        QVERIFY(r.wrong.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_Reliability)
#include "tst_reliability.moc"
