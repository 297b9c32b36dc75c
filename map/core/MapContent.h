#pragma once

// kartenanzeige: what the main window's map shows at the moment.
enum class MapContent {
    Nothing,      // nothing drawn yet
    Measurements, // GPS measurements (the GPS window drew last)
    Plots,        // field plots (the field window drew last)
};
