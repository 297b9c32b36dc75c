#pragma once

#include "DemoPlan.h"

#include <QtGlobal>

// Decides the demo folder's farms, plots and measurements from a seed; the
// same seed always gives the same plan.
//
// Layout: each farm owns a block of 5 x 4 cells of 1 km in a UTM-like frame
// (x 500000-520000, y 5300000-5320000 m); blocks of different farms lie apart.
// Every plot and every measurement gets a cell of its own, which keeps all
// outlines apart. Measurements take cells that the farms left free.
namespace DemoPlanner {

constexpr quint64 defaultSeed = 20260514;

DemoPlan plan(quint64 seed = defaultSeed);

} // namespace DemoPlanner
