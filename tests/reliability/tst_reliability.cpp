// Kill and fault runs over every operation that changes plot files or the
// database. After each run and a restart, every plot, farm and measurement
// must be as before or as after the operation, never in between, and the
// database must pass its integrity check.
#include "AccessImport.h"
#include "FieldDeletion.h"
#include "FieldFolderSync.h"
#include "FileGuard.h"
#include "GpsAssignment.h"
#include "CliCommand.h"
#include "GpsImport.h"
#include "GpsStaging.h"
#include "PendingChange.h"
#include "PendingChangeRecovery.h"
#include "PlotImport.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapeFixture.h"
#include "TestFolder.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QSqlQuery>
#include <QTest>

#include <csignal>
#include <functional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using Operation = std::function<OperationError(ProgramState&)>;
using State = QMap<QString, QString>;

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

const QString accessFixture = QStringLiteral(SORVAN_REALDATA_DIR "/access/GISDATEN-jet4.mdb");

// Farm "Hof A" with plots P1 to P3 (rows and files), farm "Hof B" with plots
// Q1 and Q2 (files only), a GPS folder with a delivered measurement M1 and the
// working files of M2 and M3. With fromAccess, the project database is an
// Access file of the earlier version instead, and no rows are added.
void setUp(const QString& root, bool fromAccess)
{
    if (fromAccess)
        QFile::copy(accessFixture, root + "/GISDATEN.MDB");
    else
        ProjectDatabase::createEmpty(root + "/GISDATEN.MDB");
    ProjectDatabase database;
    database.open(root);
    if (!fromAccess)
        database.addFarm("Hof A");
    for (const QString farm : {"Hof A/P1", "Hof A/P2", "Hof A/P3", "Hof B/Q1", "Hof B/Q2"}) {
        const QString base = farm.section('/', 1);
        ShapeFixture::writeSquare(root + '/' + farm.section('/', 0, 0), base,
                                  base[1].digitValue() * 200, 0, 100);
        write(root + '/' + farm + ".DBF", farm.toUtf8());
        if (farm.startsWith("Hof A") && !fromAccess)
            database.addPlot({base, "Hof A", {}, 1, 0, 0, {}, {}, 0, 1, 1, 1, 1});
    }
    write(root + "/leer.DBF", "empty table");
    // Two plots from another program: one for Hof A, one for a new farm.
    QByteArray features;
    for (const QString plot : {"Hof A/N1", "Hof C/N2"}) {
        const int x = 500000 + static_cast<int>(features.size()), x2 = x + 100;
        features += QString(R"(%1{"type":"Feature","properties":{"hof":"%2","navn":"%3"},)"
                            R"("geometry":{"type":"Polygon","coordinates":[[[%4,6200000],)"
                            R"([%4,6200100],[%5,6200100],[%5,6200000],[%4,6200000]]]}})")
                        .arg(features.isEmpty() ? "" : ",", plot.section('/', 0, 0),
                             plot.section('/', 1))
                        .arg(x)
                        .arg(x2)
                        .toUtf8();
    }
    write(root + "/import.geojson",
          R"({"type":"FeatureCollection","crs":{"type":"name","properties":)"
          R"({"name":"urn:ogc:def:crs:EPSG::25832"}},"features":[)" + features + "]}");
    const QByteArray description =
        "M\r\nFlaeche [ha]:    2.5\r\nUmfang [m]:      640.25\r\nmax. DOP:        3.1\r\n";
    for (const QString base : {"M1_", "M2", "M3"}) {
        ShapeFixture::writeSquare(root + "/gps", base + "F", 0, 0, 60);
        write(root + "/gps/" + base + (base == "M1_" ? "F.DES" : ".DES"), description);
        if (base != "M1_")
            write(root + "/gps/" + base + "F.DBF", base.toUtf8());
    }
}

// The operations under test, one row each; the Access import starts from an
// Access file.
const QString fromAccess = QStringLiteral("access");
const QStringList rerunnable = {fromAccess, "gpsimport", "staging"};
const QList<QPair<QString, Operation>> operations = {
    {fromAccess, [](ProgramState& s) { return AccessImport::run(s.programmpfad).error; }},
    {"sync",
     [](ProgramState& s) {
         FieldFolderSync sync(s);
         const OperationError error = sync.betriebsdatenladen().error;
         return error.isError() ? error : sync.schlagdatenabgleichen({"Hof A", "Hof B"}).error;
     }},
    {"gpsimport",
     [](ProgramState& s) {
         const GpsImport::Result result = GpsImport::gpsdateneinlesen(s);
         return result.error.isError() ? result.error : result.problems.value(0);
     }},
    {"assign",
     [](ProgramState& s) {
         return GpsAssignment::assign(s, "Hof A", {"M2", "M3"}).error;
     }},
    {"deleteplot",
     [](ProgramState& s) {
         return FieldDeletion::deletePlots(s, {{"Hof A", "P2"}});
     }},
    {"deleteplots",
     [](ProgramState& s) {
         return FieldDeletion::deletePlots(s, {{"Hof A", "P1"}, {"Hof A", "P2"}, {"Hof A", "P3"}});
     }},
    {"deletefarm", [](ProgramState& s) { return FieldDeletion::deleteFarm(s, "Hof A"); }},
    {"importplots",
     [](ProgramState& s) {
         PlotImport::Options options;
         std::tie(options.file, options.farmFrom, options.nameFrom) =
             std::tuple(s.programmpfad + "/import.geojson", "hof", "navn");
         return PlotImport::run(s, options).error;
     }},
    // The map reads plots from their farm folders; measurements are staged.
    {"staging",
     [](ProgramState& s) {
         const GpsStaging::Staged staged =
             GpsStaging::stage(s.programmpfad, s.programmpfad + "/gps", {"M2", "M3"});
         return staged.error.isError() ? staged.error : staged.problems.value(0);
     }},
};

// What the folder holds, keyed by what changes as a unit: "plot:farm/base"
// (row, anzeigen, the plot files and their content), "farm:", "gps:" rows,
// every other file by its path, and the database's integrity.
State snapshot(const QString& root)
{
    State state;
    ProjectDatabase database;
    const bool open = !database.open(root).isError();
    QSqlQuery query(database.database());
    state["integrity"] = open && query.exec("pragma integrity_check") && query.next()
                             ? query.value(0).toString()
                             : "";
    const char* selects[] = {
        "select 'plot:' || ordner || '/' || dateiname, 'row ' || anzeigen from schlagdaten",
        "select 'farm:' || name, 'row' from betriebe",
        "select 'gps:' || dateiname, datum from gpsdaten"};
    for (const char* select : selects) {
        if (open && query.exec(select)) {
            while (query.next())
                state[query.value(0).toString()] = query.value(1).toString() + ';';
        }
    }
    QDirIterator files(root, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    QMap<QString, QStringList> plots;
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        const QString relative = QDir(root).relativeFilePath(file.filePath());
        QFile content(file.filePath());
        content.open(QIODevice::ReadOnly);
        const QString hash =
            QCryptographicHash::hash(content.readAll(), QCryptographicHash::Md5).toHex().left(8);
        if (relative.startsWith("GISDATEN.MDB"))
            continue;
        if (relative.count('/') == 1 && !relative.startsWith("gps/") &&
            !relative.startsWith("temp/") && !file.fileName().startsWith('.') &&
            QStringList{"SHP", "SHX", "DBF"}.contains(file.suffix().toUpper()))
            plots["plot:" + relative.section('.', 0, -2)].append(file.suffix() + ' ' + hash);
        else
            state[relative] = hash;
    }
    for (auto plot = plots.begin(); plot != plots.end(); ++plot) {
        plot->sort();
        state[plot.key()] += plot->join(';');
    }
    return state;
}

// The step hook's orders: end the process at step killAt, or fail the steps
// from failFrom to failUntil on paths below failInside with failWith.
int steps = 0, killAt = 0, failFrom = 0, failUntil = 0, failWith = 0;
QString failInside;

int hook(FileGuard::Step, const QString& path)
{
    if (++steps == killAt)
        ::raise(SIGKILL);
    return path.startsWith(failInside) && steps >= failFrom && steps <= failUntil ? failWith : 0;
}

// Runs operation on the folder as the program does, with the hook armed.
OperationError run(const Operation& operation, const QString& folder, int kill, int from = 0,
                   int until = 0, int error = 0, const QString& inside = {})
{
    std::tie(steps, killAt, failFrom, failUntil, failWith, failInside) =
        std::tuple(0, kill, from, until, error, inside);
    FileGuard::setStepHook(hook);
    ProjectDatabase database;
    database.open(folder);
    ProgramState state;
    state.programmpfad = folder;
    state.gpspfad = folder + "/gps";
    state.database = &database;
    const OperationError result =
        operation ? operation(state) : PendingChangeRecovery::finish(state);
    FileGuard::setStepHook(nullptr);
    return result;
}

void copyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator entries(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString target = to + '/' + QDir(from).relativeFilePath(entry.filePath());
        entry.isDir() ? QDir().mkpath(target) : QFile::copy(entry.filePath(), target);
    }
}

// One operation's start folder and the folder's state before and after it.
struct Trial {
    QString name;
    Operation operation;
    TestFolder start;
    State before, after;

    std::unique_ptr<TestFolder> fresh() const
    {
        auto folder = std::make_unique<TestFolder>();
        copyFolder(start.path(), folder->path());
        return folder;
    }

    // What is neither as before nor as after in folder once the program has
    // started again; failure is what the operation returned.
    QStringList inconsistencies(const QString& folder, const QString& label,
                                const OperationError& failure = {}, bool retry = true) const
    {
        QStringList wrong;
        if (failure.isError() && failure.detail.isEmpty())
            wrong.append(label + ": a failure without a message");
        run(nullptr, folder, 0); // the restart
        const State now = snapshot(folder);
        for (const QString& key : before.keys() + after.keys() + now.keys()) {
            // Scratch left for the next run of the operation, which removes it.
            if (key.startsWith(".new-") || key.startsWith("gps/.") || key.startsWith("temp/."))
                continue;
            if (now.value(key) != before.value(key) && now.value(key) != after.value(key))
                wrong.append(label + ": " + key + " = " + now.value(key));
        }
        // What the user simply runs again completes what was cut short,
        // its scratch included.
        if (retry && rerunnable.contains(name) && now != after) {
            const OperationError error = run(operation, folder, 0);
            const State again = snapshot(folder);
            for (const QString& key : after.keys() + again.keys()) {
                if (error.isError() || again.value(key) != after.value(key))
                    wrong.append(label + ": running it again leaves " + key + " = " +
                                 again.value(key) + ' ' + error.detail);
            }
        }
        return wrong;
    }
};

// Sets up the operation's trial; steps tells how many file and database
// steps the operation takes.
std::unique_ptr<Trial> trial(int index)
{
    auto result = std::make_unique<Trial>();
    std::tie(result->name, result->operation) = operations.at(index);
    setUp(result->start.path(), result->name == fromAccess);
    result->before = snapshot(result->start.path());
    const auto complete = result->fresh();
    const OperationError error = run(result->operation, complete->path(), 0);
    if (error.isError())
        qWarning().noquote() << error.detail << error.where;
    result->after = snapshot(complete->path());
    return result;
}

void report(const QString& what, QStringList wrong)
{
    wrong.removeDuplicates();
    qInfo().noquote() << what.arg(wrong.size());
    for (const QString& line : wrong.mid(0, 10))
        qWarning().noquote() << line;
}

// A file system mounted on a folder for as long as it lives.
struct Mount {
    QByteArray point;
    bool mounted = false;
    Mount(const QString& folder, const char* type, unsigned long flags, const char* options)
        : point(QFile::encodeName(folder))
    {
        mounted =
            ::mount(type ? type : point.constData(), point.constData(), type, flags, options) == 0;
        if (mounted && !type) // a bind mount takes read-only only when mounted again
            mounted = ::mount(nullptr, point.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                              nullptr) == 0;
    }
    ~Mount() { ::umount2(point.constData(), MNT_DETACH); }
};

// Real limits need mounting: in a mount namespace of this thread's own,
// where nothing mounted outlives the test, and where a tmpfs can be mounted.
bool privateMounts()
{
    static const bool possible = [] {
        if (::unshare(CLONE_NEWNS) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return false;
        const TestFolder trial;
        return Mount(trial.path(), "tmpfs", 0, "size=64k").mounted;
    }();
    return possible;
}

// Fills the file system of folder up to keep bytes free; returns the filler.
QString fill(const QString& folder, qint64 keep)
{
    const QString filler = folder + "/filler";
    QFile file(filler);
    file.open(QIODevice::WriteOnly);
    const QByteArray chunk(1 << 16, 'x');
    while (file.write(chunk) == chunk.size() && file.flush()) {
    }
    file.close();
    file.resize(std::max<qint64>(0, file.size() - keep));
    return filler;
}
} // namespace

class tst_Reliability : public QObject {
    Q_OBJECT
private slots:
    void killsAndFaults_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < operations.size(); ++i)
            QTest::newRow(qPrintable(operations.at(i).first)) << i;
    }

    void killsAndFaults()
    {
        QFETCH(int, index);
        if (operations.at(index).first == fromAccess && !QFileInfo::exists(accessFixture))
            QSKIP("no Access file at hand");
        const auto t = trial(index);
        const auto complete = t->fresh();
        const OperationError error = run(t->operation, complete->path(), 0);
        QVERIFY2(!error.isError(), qPrintable(error.detail + ' ' + error.where));
        const int count = steps;
        QVERIFY(count > 0 && t->before != t->after);

        // Every step for small operations, about 60 evenly spread for large ones.
        QStringList wrong;
        int kills = 0, faults = 0;
        for (int k = 1; k <= count; k += std::max(1, count / 60)) {
            const auto folder = t->fresh();
            const pid_t child = ::fork();
            if (child == 0) {
                run(t->operation, folder->path(), k);
                ::_exit(0);
            }
            int status = 0;
            QCOMPARE(::waitpid(child, &status, 0), child);
            QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL, "the step count changed");
            ++kills;
            wrong += t->inconsistencies(folder->path(), QStringLiteral("killed at step %1").arg(k));
            // A fault once, every step failing from k on, a full disk and a
            // read-only farm folder from k on.
            const std::tuple<const char*, int, int, QString> kinds[] = {
                {"fails once", k, EIO, ""},
                {"fails from", INT_MAX, EIO, ""},
                {"disk full from", INT_MAX, ENOSPC, ""},
                {"read-only farm folder from", INT_MAX, EROFS, "/Hof A"}};
            for (const auto& [what, until, errorCode, inside] : kinds) {
                const auto folder = t->fresh();
                const OperationError failure =
                    run(t->operation, folder->path(), 0, k, until, errorCode,
                        inside.isEmpty() ? "" : folder->path() + inside);
                ++faults;
                wrong += t->inconsistencies(folder->path(),
                                            QStringLiteral("%1 step %2").arg(what).arg(k), failure);
            }
        }
        report(QStringLiteral("%1: %2 kills, %3 faults, %4 inconsistencies")
                   .arg(t->name)
                   .arg(kills)
                   .arg(faults),
               wrong);
        QVERIFY(wrong.isEmpty());
    }

    // The same operations against a file system that is really full, and a
    // farm folder really mounted read-only, where the machine allows
    // mounting. Once there is room again, or the folder is writable, the
    // operation completes.
    void realLimits_data() { killsAndFaults_data(); }

    void realLimits()
    {
        QFETCH(int, index);
        if (operations.at(index).first == fromAccess && !QFileInfo::exists(accessFixture))
            QSKIP("no Access file at hand");
        if (!privateMounts())
            QSKIP("mounting is not allowed here");
        const auto t = trial(index);
        QStringList wrong;
        int failed = 0;
        auto tryAgain = [&](const QString& folder, const QString& label) {
            if (t->inconsistencies(folder, label).isEmpty() && snapshot(folder) != t->after)
                run(t->operation, folder, 0);
            if (snapshot(folder) != t->after)
                wrong.append(label + ": not completed once possible");
        };
        for (const qint64 room : {0, 8 << 10, 64 << 10, 256 << 10}) {
            TestFolder place;
            const Mount disk(place.path(), "tmpfs", 0, "size=2m");
            QVERIFY(disk.mounted);
            const QString folder = place.path() + "/program";
            copyFolder(t->start.path(), folder);
            const QString filler = fill(place.path(), room);
            const QString label = QStringLiteral("%1 bytes free").arg(room);
            const OperationError failure = run(t->operation, folder, 0);
            failed += failure.isError();
            wrong += t->inconsistencies(folder, label, failure, false);
            QFile::remove(filler);
            tryAgain(folder, label);
        }
        const auto folder = t->fresh();
        {
            const Mount readOnly(folder->path() + "/Hof A", nullptr, MS_BIND, nullptr);
            QVERIFY(readOnly.mounted);
            const OperationError failure = run(t->operation, folder->path(), 0);
            failed += failure.isError();
            wrong += t->inconsistencies(folder->path(), "read-only farm folder", failure, false);
        }
        tryAgain(folder->path(), "read-only farm folder");
        report(t->name + QStringLiteral(": full disk and read-only farm folder, %1 of 5 runs "
                                        "refused, %2 inconsistencies")
                             .arg(failed),
               wrong);
        QVERIFY(wrong.isEmpty());
    }

    // A change cut short that could not be finished yet holds back every
    // other change; the command-line program finishes it first, as the
    // viewer's start does.
    void earlierChangeGoesFirst()
    {
        TestFolder folder;
        setUp(folder.path(), false);
        QVERIFY(
            !PendingChange::record(folder.path(), {FieldDeletion::pendingPlots, {{"Hof A", "P2"}}})
                 .isError());
        const State recorded = snapshot(folder.path());
        const OperationError refused =
            run([](ProgramState& s) { return GpsAssignment::assign(s, "Hof A", {"M2"}).error; },
                folder.path(), 0);
        QCOMPARE(refused.kind, ErrorKind::Refused);
        QCOMPARE(snapshot(folder.path()), recorded);

        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(runCommand("assign", {"--folder", folder.path(), "--source", folder.path() + "/gps",
                                   "--farm", "Hof A", "M2"},
                                  o, e),
                 0);
        const State finished = snapshot(folder.path());
        QVERIFY(!finished.contains("plot:Hof A/P2") && !finished.contains(".sorvan-pending"));
        QVERIFY(finished.value("plot:Hof A/M2").startsWith("row 1;"));
    }
};

QTEST_GUILESS_MAIN(tst_Reliability)
#include "tst_reliability.moc"
