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
// Any of them may be empty (a window without a map).
struct FieldMap {
    std::function<void()> release;
    std::function<bool(const QString& path, const QList<qint64>& colours)> display;
    std::function<bool(const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                       const QList<qint64>& colours)>
        displayFiles;
    std::function<void(double hectares)> showArea;
    // Zooms the map to the shapefiles read from these paths (with the margin
    // of "show all"); false when the map draws none of them.
    std::function<bool(const QStringList& shpPaths)> zoomToFiles;
    // Outlines the shapefile read from this path; "" outlines nothing.
    std::function<void(const QString& shpPath)> highlight;
    // The label texts of the plots shown (PlotLabelTexts), before they are displayed.
    std::function<void(const QHash<QString, PlotLabelText>& texts)> labelTexts;
};
