#pragma once

#include "TextKeys.h"

// Catalogue keys of the GPS window gpsdaten and its operations.
namespace GpsTextKeys {

inline const TextKey deleteOne{"gpsdaten", "gpsdatenlöschen", "1"};    // %1 measurement
inline const TextKey deleteMany{"gpsdaten", "gpsdatenlöschen", "2"};   // %1 count
inline const TextKey noFarm{"gpsdaten", "gpsdatenzuordnen", "1"};
inline const TextKey tooManyFarms{"gpsdaten", "gpsdatenzuordnen", "2"};
inline const TextKey alreadyPlot{"gpsdaten", "gpsdatenzuordnen", "3"}; // %1 measurement, %2 farm
inline const TextKey folderTitle{"gpsdaten", "Ordner", "1"};
inline const TextKey folderFailed{"gpsdaten", "Fehler", "1"};
inline const TextKey importFailed{"gpsdaten", "Fehler", "2"};
inline const TextKey copiesFailed{"gpsdaten", "Fehler", "3"};    // %1 list of files
inline const TextKey displayFailed{"gpsdaten", "Fehler", "4"};
inline const TextKey deleteFailed{"gpsdaten", "Fehler", "5"};
inline const TextKey assignFailed{"gpsdaten", "Fehler", "6"};    // %1 measurement, %2 farm
inline const TextKey descriptionMissing{"gpsdaten", "Beschreibung", "1"}; // %1 file
inline const TextKey descriptionShort{"gpsdaten", "Beschreibung", "2"};   // %1 file
inline const TextKey descriptionLineTooLong{"gpsdaten", "Beschreibung", "3"}; // %1 file
inline const TextKey descriptionNumberTooLarge{"gpsdaten", "Beschreibung", "4"}; // %1 file
inline const TextKey leftAlone{"gpsdaten", "Dateischutz", "1"};           // %1 file

inline QList<TextKey> all()
{
    return {deleteOne,    deleteMany,    noFarm,       tooManyFarms,       alreadyPlot,
            folderTitle,  folderFailed,  importFailed, copiesFailed,       displayFailed,
            deleteFailed, assignFailed,  descriptionMissing, descriptionShort, leftAlone,
            descriptionLineTooLong, descriptionNumberTooLarge};
}

} // namespace GpsTextKeys
