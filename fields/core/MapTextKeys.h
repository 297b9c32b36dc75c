#pragma once

#include "TextKeys.h"

// Texts of working with the map: the identify tooltips, zooming from the
// grids and the marks of measurements with a poor DOP. Every key here must
// have a text in every language; a test checks the catalogue against all().
namespace MapTextKeys {

inline const TextKey dopAbove{"haupt", "DOP", "1"};          // %1 max. DOP, %2 threshold
inline const TextKey dopQuestion{"haupt", "DOP", "2"};       // the threshold dialog's label
inline const TextKey dopInvalid{"haupt", "DOP", "3"};        // %1 least, %2 largest value
inline const TextKey gpsPoints{"gpsdaten", "Karte", "1"};    // %1 number of points
inline const TextKey gpsMaxDop{"gpsdaten", "Karte", "2"};    // %1 max. DOP
inline const TextKey gpsNoDop{"gpsdaten", "Karte", "3"};     // the description gives no DOP
inline const TextKey zoomSelection{"schlagdaten", "Zoom", "1"};
inline const TextKey zoomPlot{"schlagdaten", "Zoom", "2"};   // %1 plot
inline const TextKey zoomFarm{"schlagdaten", "Zoom", "3"};   // %1 farm

inline QList<TextKey> all()
{
    return {dopAbove,  dopQuestion,   dopInvalid, gpsPoints, gpsMaxDop,
            gpsNoDop,  zoomSelection, zoomPlot,   zoomFarm};
}

} // namespace MapTextKeys
