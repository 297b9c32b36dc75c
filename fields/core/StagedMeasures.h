#pragma once

#include "FieldLayers.h"

#include <QHash>

// The geometry's area of plots the map shows, taken from the tables the map
// has just read (ShapeCache), so that the files are not read a second time.
namespace StagedMeasures {

// Area in hectares by index into the plots staged (FieldLayers::stage);
// plots without a readable table or in degrees are left out.
QHash<int, double> areasHa(const FieldLayers::Staged& staged);

// True when stored and geometry areas disagree by more than 1 % of the latter.
bool disagree(double storedHa, double geometryHa);

} // namespace StagedMeasures
