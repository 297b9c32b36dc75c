#include "Scenario.h"

#include "FieldDeletion.h"
#include "FieldFolderSync.h"
#include "GpsAssignment.h"
#include "GpsImport.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "ShapeFixture.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>

namespace {
const QByteArray description = "Messung\r\nFlaeche [ha]:    2.5\r\nUmfang [m]:      640.25\r\n"
                               "max. DOP:        3.1\r\n";

void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void plotFiles(const QString& folder, const QString& base, double x)
{
    ShapeFixture::writeSquare(folder, base, x, 0, 100);
    write(folder + '/' + base + ".DBF", "table of " + base.toUtf8());
}

// Farm "Hof A" with plots P1 to P3 (rows and files), farm "Hof B" with two
// plots that have files but no rows yet, and a GPS folder with a delivered
// measurement M1 and the working files of M2 and M3.
void programFolder(const QString& root)
{
    ProjectDatabase::createEmpty(root + "/GISDATEN.MDB");
    ProjectDatabase database;
    database.open(root);
    database.addFarm("Hof A");
    for (int i = 1; i <= 3; ++i) {
        plotFiles(root + "/Hof A", QStringLiteral("P%1").arg(i), i * 200);
        database.addPlot(
            {QStringLiteral("P%1").arg(i), "Hof A", {}, i, 0, 0, {}, {}, 0, 1, 1, 1, 1});
    }
    plotFiles(root + "/Hof B", "Q1", 0);
    plotFiles(root + "/Hof B", "Q2", 300);
    write(root + "/leer.DBF", "empty table");
    const QString gps = root + "/gps";
    ShapeFixture::writeSquare(gps, "M1_F", 0, 0, 50);
    write(gps + "/M1_F.DES", description);
    for (const char* base : {"M2", "M3"}) {
        ShapeFixture::writeSquare(gps, QString(base) + "F", 0, 0, 60);
        write(gps + '/' + base + "F.DBF", QByteArray("measurement ") + base);
        write(gps + '/' + base + ".DES", description);
    }
}

QString hash(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex().left(8);
}
} // namespace

QList<Scenario> scenarios()
{
    auto plots = [](const QStringList& bases) {
        QList<PlotKey> keys;
        for (const QString& base : bases)
            keys.append({"Hof A", base});
        return keys;
    };
    return {
        {"sync", programFolder,
         [](ProgramState& state) {
             FieldFolderSync sync(state);
             const SyncChanges farms = sync.betriebsdatenladen();
             return farms.error.isError() ? farms.error
                                          : sync.schlagdatenabgleichen({"Hof A", "Hof B"}).error;
         }},
        {"gpsimport", programFolder,
         [](ProgramState& state) {
             const GpsImport::Result result = GpsImport::gpsdateneinlesen(state);
             return result.error.isError() ? result.error : result.problems.value(0);
         }},
        {"assign", programFolder,
         [](ProgramState& state) {
             return GpsAssignment::assign(state, "Hof A", {"M2", "M3"}).error;
         }},
        {"deleteplot", programFolder,
         [=](ProgramState& state) { return FieldDeletion::deletePlots(state, plots({"P2"})); }},
        {"deleteplots", programFolder,
         [=](ProgramState& state) {
             return FieldDeletion::deletePlots(state, plots({"P1", "P2", "P3"}));
         }},
        {"deletefarm", programFolder,
         [](ProgramState& state) { return FieldDeletion::deleteFarm(state, "Hof A"); }},
    };
}

QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> state;
    {
        ProjectDatabase database;
        state["integrity"] = database.open(root).isError() ? "unopenable" : "";
        QSqlQuery query(database.database());
        query.exec("pragma integrity_check");
        state["integrity"] += query.next() ? query.value(0).toString() : "failed";
        query.exec("select ordner, dateiname, anzeigen from schlagdaten");
        while (query.next())
            state["plot:" + query.value(0).toString() + '/' + query.value(1).toString()] =
                "row " + query.value(2).toString() + ';';
        query.exec("select name from betriebe");
        while (query.next())
            state["farm:" + query.value(0).toString()] = "row";
        query.exec("select dateiname, datum from gpsdaten");
        while (query.next())
            state["gps:" + query.value(0).toString()] = query.value(1).toString();
    }
    QMap<QString, QStringList> plotFiles;
    QDirIterator files(
        root, QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        const QString relative = QDir(root).relativeFilePath(file.filePath());
        const QString suffix = file.suffix().toUpper();
        if (file.isDir() || relative.startsWith("GISDATEN.MDB"))
            continue;
        const bool plotFile = relative.count('/') == 1 && !relative.startsWith("gps/") &&
                              !file.fileName().startsWith('.') &&
                              (suffix == "SHP" || suffix == "SHX" || suffix == "DBF");
        // Scratch files of the import's copies in the GPS folder, which the
        // import passes over and makes again.
        if (relative.startsWith("gps/."))
            continue;
        if (plotFile)
            plotFiles[file.path().mid(root.size() + 1) + '/' + file.completeBaseName()].append(
                suffix + ' ' + hash(file.filePath()));
        else
            state[relative] = hash(file.filePath());
    }
    for (auto plot = plotFiles.begin(); plot != plotFiles.end(); ++plot) {
        plot->sort();
        state["plot:" + plot.key()] += plot->join(';');
    }
    return state;
}

QStringList inconsistencies(const QMap<QString, QString>& state,
                            const QMap<QString, QString>& before,
                            const QMap<QString, QString>& after)
{
    QStringList keys = state.keys() + before.keys() + after.keys();
    keys.removeDuplicates();
    QStringList wrong;
    for (const QString& key : std::as_const(keys)) {
        const QString value = state.value(key);
        if (value != before.value(key) && value != after.value(key))
            wrong.append(key + " = " + value);
    }
    return wrong;
}
