#pragma once

#include "FieldMap.h"

#include <QString>
#include <functional>

// What the GPS window needs of the other windows: the main window's map (as
// the field window uses it) and, for an assignment, the field window's farm
// list and its synchronisation.
struct GpsLinks {
    FieldMap map;
    std::function<int()> farmCount;         // rows of the farm list
    std::function<int()> selectedFarmCount; // explicitly selected farm rows
    std::function<QString()> currentFarm;   // Name of the farm list's current row
    // After an assignment: synchronise the chosen farms, which marks the new
    // plots and draws the farms' plots.
    std::function<void()> synchronise;
    // Shows the field window (after the assign tool or a double click).
    std::function<void()> showFieldWindow;
};
