#include "FieldLayers.h"

#include "FarmFolders.h"
#include "FarmListings.h"
#include "FolderListing.h"
#include "StagingFolder.h"

#include <QFileInfo>
#include <QHash>

#include <optional>

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

Staged stage(const QString& programFolder, const QList<PlotRecord>& plots,
              FarmListings* sharedListings)
{
    Staged staged;
    staged.error = StagingFolder::prepare(StagingFolder::path(programFolder));
    if (staged.error.isError())
        return staged;
    // Each farm folder found and listed once: by ordner as the rows give it.
    std::optional<FarmListings> ownListings;
    if (!sharedListings)
        ownListings.emplace(programFolder);
    FarmListings& listings = sharedListings ? *sharedListings : *ownListings;
    staged.files.reserve(plots.size());
    staged.colours.reserve(plots.size());
    for (qsizetype i = 0; i < plots.size(); ++i) {
        const PlotRecord& plot = plots.at(i);
        staged.areaHa += plot.flaeche;
        const FolderListing* farm = listings.listing(plot.ordner);
        if (!farm)
            continue;
        // The file as the row names it, blanks included; rows of older
        // versions named it trimmed.
        const QString base = plot.dateiname.trimmed();
        const auto plotFile = [&](const QString& extension) {
            const QString exact = farm->find(plot.dateiname + extension);
            return exact.isEmpty() && plot.dateiname != base ? farm->find(base + extension)
                                                             : exact;
        };
        const QString shp = plotFile(QStringLiteral(".SHP"));
        if (shp.isEmpty())
            continue;
        const QString name = stagedName(int(i), plot.dateiname);
        staged.files.append({name, shp, plotFile(QStringLiteral(".SHX"))});
        staged.colours.append(plot.farbe);
        staged.places.append(int(i));
        staged.stagedNames.append(name);
        const QFileInfo file(shp);
        staged.origins.insert(file.path() + '/' + file.completeBaseName(),
                              farm->folder() + '/' + base);
    }
    return staged;
}

} // namespace FieldLayers
