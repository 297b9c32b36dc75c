#pragma once

#include "TextKeys.h"

// Texts of the plot import and export dialogs.
namespace ExchangeTextKeys {
inline const TextKey unreadable{"frmschlagimport", "Meldung", "1"};   // %1 file, %2 detail
inline const TextKey importFailed{"frmschlagimport", "Meldung", "2"}; // %1 detail
inline const TextKey imported{"frmschlagimport", "Meldung", "3"};     // %1 plots, %2 ha
inline const TextKey noFile{"frmschlagimport", "Meldung", "4"};
inline const TextKey noField{"frmschlagimport", "Meldung", "5"};
inline const TextKey noFarm{"frmschlagimport", "Meldung", "6"};
inline const TextKey replace{"frmschlagexport", "Meldung", "1"};      // %1 file
inline const TextKey exportFailed{"frmschlagexport", "Meldung", "2"}; // %1 detail
inline const TextKey exported{"frmschlagexport", "Meldung", "3"};     // %1 plots, %2 file
inline const TextKey noFarms{"frmschlagexport", "Meldung", "4"};
} // namespace ExchangeTextKeys
