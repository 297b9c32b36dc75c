#pragma once

#include "MapDataSource.h"
#include "OperationError.h"

#include <QList>
#include <QString>

class MapDocument;
struct ProgramState;

// The common way the field plots and the GPS measurements reach the map: open
// the staging folder (or the plots' files) as the data
// source "Data" + datennummer, add one view per table (from the last table to
// the first, named "VIEW 1", "VIEW 2" ...), colour them, and show everything.
namespace LayerDisplay {

struct Result {
    bool shown = false;             // false: no source could be opened, map untouched
    double scale = 0;               // scale denominator after ZoomAll
    // Files that could not be read; where names the file as the rows name it
    // when state.stagedOrigins knows it.
    QList<OperationError> problems;
};

// Releases the map's data source so that the staging folder can be emptied.
void release(MapDocument& map, const ProgramState& state);

// Opens path (the staging folder, or one shapefile). For a folder, colours
// go by shapefile in ascending order of base name (colour k belongs to the
// k-th shapefile of the folder, a damaged one left out included); tables
// without a colour entry are drawn black. A single shapefile becomes
// one view without a colour. Counts ansichtnummer up in state.
// state.undrawnFiles becomes the origins of the staged files not drawn.
Result show(MapDocument& map, ProgramState& state, const QString& path,
            const QList<qint64>& colours);

// The same for shapefiles wherever they lie (MapDataSource::openFiles):
// colour k belongs to files[k]; path is the source's path. progress (when
// given) follows the reading and may cancel it: then nothing is shown.
Result show(MapDocument& map, ProgramState& state, const QString& path,
            const QList<MapDataSource::ShapefileEntry>& files, const QList<qint64>& colours,
            const ShapeCache::Progress& progress = {});

} // namespace LayerDisplay
