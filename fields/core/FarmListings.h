#pragma once

#include "FolderListing.h"

#include <QHash>
#include <QString>

#include <optional>

// The farm folders of one click, each found and listed once: the
// synchronisation lists the plots of the chosen farms, the map then finds
// the files of the chosen plots in the same listings. Keep one only as long
// as the folders can be taken as unchanged.
class FarmListings {
public:
    explicit FarmListings(const QString& programFolder) : m_programFolder(programFolder) {}

    // The folder of farm ordner (FarmFolders::farmFolder), "" when there is none.
    QString folder(const QString& ordner) { return farm(ordner).folder; }
    // Its listing; null when the farm has no folder.
    const FolderListing* listing(const QString& ordner)
    {
        const Farm& found = farm(ordner);
        return found.listing ? &*found.listing : nullptr;
    }

private:
    struct Farm {
        QString folder;
        std::optional<FolderListing> listing;
    };
    const Farm& farm(const QString& ordner);

    QString m_programFolder;
    QHash<QString, Farm> m_farms; // by ordner as the caller gives it
};
