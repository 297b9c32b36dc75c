#include "ImportChecks.h"

#include "FarmFolders.h"
#include "FileResolver.h"

#include <QSet>

namespace {
QString key(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

bool hasShapefiles(const QString& farmFolder, const QString& file)
{
    if (file.trimmed().isEmpty())
        return false;
    for (const char* extension : {".SHP", ".SHX", ".DBF"}) {
        if (!FileResolver::dateiexistiert(farmFolder, file + QLatin1String(extension)))
            return false;
    }
    return true;
}
} // namespace

namespace ImportChecks {

QList<ImportFinding> run(const QString& programFolder, const QStringList& farms,
                         const QList<Plot>& plots)
{
    using Kind = ImportFinding::Kind;
    QList<ImportFinding> findings;
    QSet<QString> seen;
    QSet<QString> repeated;
    for (const Plot& plot : plots) {
        const QString pair = key(plot.farm) + '\n' + key(plot.file);
        if (seen.contains(pair)) {
            if (!repeated.contains(pair))
                findings.append({Kind::DuplicatePlot, plot.farm, plot.file});
            repeated.insert(pair);
            continue;
        }
        seen.insert(pair);
        const QString folder = FarmFolders::farmFolder(programFolder, plot.farm);
        if (folder.isEmpty())
            findings.append({Kind::PlotWithoutFarmFolder, plot.farm, plot.file});
        else if (!hasShapefiles(folder, plot.file))
            findings.append({Kind::PlotWithoutShapefiles, plot.farm, plot.file});
    }
    QSet<QString> farmKeys;
    for (const QString& farm : farms)
        farmKeys.insert(key(farm));
    for (const QString& folder : FarmFolders::list(programFolder)) {
        if (!farmKeys.contains(key(folder)))
            findings.append({Kind::FarmFolderWithoutRow, folder, QString()});
    }
    return findings;
}

} // namespace ImportChecks
