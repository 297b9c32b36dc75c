#include "LayerDisplay.h"

#include "FileResolver.h"
#include "MapDocument.h"
#include "ProgramState.h"

#include <QFileInfo>

namespace LayerDisplay {

namespace {
// Adds the views of the source just opened (or none), zooms to all.
Result present(MapDocument& map, ProgramState& state, MapDataSource* source,
               const QList<qint64>& colours)
{
    Result result;
    result.problems = map.lastProblems();
    state.undrawnFiles.clear();
    for (OperationError& problem : result.problems) {
        const QFileInfo staged(problem.where);
        const QString origin =
            state.stagedOrigins.value(staged.path() + '/' + staged.completeBaseName());
        if (origin.isEmpty())
            continue;
        const QFileInfo known(origin);
        problem.where =
            FileResolver::resolve(known.path(), known.fileName() + '.' + staged.suffix());
        if (!state.undrawnFiles.contains(origin))
            state.undrawnFiles.append(origin);
    }
    if (!source)
        return result;
    if (source->Kind() == MapDataSource::TableFolder) {
        // Colour k belongs to the k-th shapefile of the source; a damaged one
        // left out of the tables must not shift the colours after it.
        for (int k = source->tableCount() - 1; k >= 0; --k) {
            state.ansichtnummer += 1;
            const QString viewName = QStringLiteral("VIEW ") + QString::number(state.ansichtnummer);
            const MapTable* table = source->table(k).get();
            MapView* view = map.AddView(viewName, table);
            if (!view)
                continue;
            view->setText(source->text());
            view->setColour(int(colours.value(source->shapefilePlace(k), 0)));
        }
    } else {
        state.ansichtnummer += 1;
        map.AddView(QStringLiteral("VIEW ") + QString::number(state.ansichtnummer), source);
    }
    map.ZoomAll();
    result.shown = true;
    result.scale = map.Scale();
    return result;
}
} // namespace

void release(MapDocument& map, const ProgramState& state)
{
    map.CloseDataSource(state.dataSourceName());
}

Result show(MapDocument& map, ProgramState& state, const QString& path,
            const QList<qint64>& colours)
{
    return present(map, state, map.OpenDataSource(state.dataSourceName(), path), colours);
}

Result show(MapDocument& map, ProgramState& state, const QString& path,
            const QList<MapDataSource::ShapefileEntry>& files, const QList<qint64>& colours,
            const ShapeCache::Progress& progress)
{
    return present(map, state, map.OpenDataSource(state.dataSourceName(), path, files, progress),
                   colours);
}

} // namespace LayerDisplay
