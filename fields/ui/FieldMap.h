#pragma once

#include "MapDataSource.h"
#include "MapLabels.h"

#include <QHash>

#include <QList>
#include <QString>
#include <functional>

// What the farm and field window needs of the main window's map: release the
// data source before the staging folder is refilled, show the staged tables
// in their colours (false when nothing could be opened; the main window then
// leaves map and boxes unchanged) and write the area total into the area box.
// displayFiles shows shapefiles wherever they lie, colour k for files[k].
struct FieldMap {
    std::function<void()> release;
    std::function<bool(const QString& path, const QList<qint64>& colours)> display;
    std::function<bool(const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                       const QList<qint64>& colours)>
        displayFiles;
    std::function<void(double hectares)> showArea;
    // The label texts of the plots shown (PlotLabelTexts), before they are displayed.
    std::function<void(const QHash<QString, PlotLabelText>& texts)> labelTexts;
};
