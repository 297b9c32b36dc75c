#include "FieldLayers.h"

#include "FarmFolders.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "StagingFolder.h"

#include <QMap>

namespace FieldLayers {

QString stagedName(int index, const QString& dateiname)
{
    return QStringLiteral("%1 %2").arg(index + 1, 6, 10, QLatin1Char('0')).arg(dateiname.trimmed());
}

QString origin(const QString& programFolder, const PlotRecord& plot)
{
    const QString folder = FarmFolders::farmFolder(programFolder, plot.ordner);
    return folder.isEmpty() ? QString() : folder + '/' + plot.dateiname.trimmed();
}

Staged stage(const QString& programFolder, const QList<PlotRecord>& plots)
{
    Staged staged;
    const QString staging = StagingFolder::path(programFolder);
    staged.error = StagingFolder::prepare(staging);
    if (staged.error.isError())
        return staged;
    // QMap orders its keys by QString::operator<, code unit by code unit,
    // as the map orders the tables.
    QMap<QString, qint64> colourOfTable;
    for (qsizetype i = 0; i < plots.size(); ++i) {
        const PlotRecord& plot = plots.at(i);
        staged.areaHa += plot.flaeche;
        const QString folder = FarmFolders::farmFolder(programFolder, plot.ordner);
        if (folder.isEmpty())
            continue;
        const QString target = stagedName(int(i), plot.dateiname);
        staged.origins.insert(target, folder + '/' + plot.dateiname.trimmed());
        bool shpStaged = false;
        for (const char* ext : {".SHP", ".SHX", ".DBF"}) {
            const QString source =
                FileResolver::resolve(folder, plot.dateiname.trimmed() + QLatin1String(ext));
            if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
                continue;
            const OperationError error = FileGuard::copyNew(
                programFolder, source, staging + '/' + target + QLatin1String(ext));
            if (error.isError()) {
                staged.problems.append(error);
                if (!staged.undrawn.contains(staged.origins.value(target)))
                    staged.undrawn.append(staged.origins.value(target));
            }
            else if (QLatin1String(ext) == QLatin1String(".SHP"))
                shpStaged = true;
        }
        if (shpStaged)
            colourOfTable.insert(target, plot.farbe);
    }
    staged.stagedNames = colourOfTable.keys();
    staged.colours = colourOfTable.values();
    return staged;
}

} // namespace FieldLayers
