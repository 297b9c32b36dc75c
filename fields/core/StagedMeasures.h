#pragma once

#include "ProjectDatabase.h"

#include <QHash>
#include <QList>
#include <QString>

// The geometry's area of plots the map shows, taken from the tables the map
// has just read from the staging folder (ShapeCache), so that the files are
// not read a second time.
namespace StagedMeasures {

// Area in hectares by index into plots (the order staged, FieldLayers);
// plots without a readable staged table or in degrees are left out.
QHash<int, double> areasHa(const QString& programFolder, const QList<PlotRecord>& plots);

// True when stored and geometry areas disagree by more than 1 % of the latter.
bool disagree(double storedHa, double geometryHa);

} // namespace StagedMeasures
