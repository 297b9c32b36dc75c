#pragma once

#include "FieldLayers.h"
#include "MapLabels.h"

#include <QHash>
#include <QList>

// The label texts of staged plots for the map: each plot's name (its file
// name where the name is blank) and stored area, by the .SHP path its table
// is read from. plots are those given to FieldLayers::stage.
namespace PlotLabelTexts {

QHash<QString, PlotLabelText> of(const FieldLayers::Staged& staged, const QList<PlotRecord>& plots);

} // namespace PlotLabelTexts
