#include "FarmListings.h"

#include "FarmFolders.h"

const FarmListings::Farm& FarmListings::farm(const QString& ordner)
{
    auto found = m_farms.find(ordner);
    if (found == m_farms.end()) {
        Farm farm;
        farm.folder = FarmFolders::farmFolder(m_programFolder, ordner);
        if (!farm.folder.isEmpty())
            farm.listing.emplace(farm.folder);
        found = m_farms.insert(ordner, std::move(farm));
    }
    return *found;
}
