#include "LayerDisplay.h"

#include "MapDocument.h"
#include "FileResolver.h"
#include "ProgramState.h"

#include <QFileInfo>

namespace LayerDisplay {

void release(MapDocument& map, const ProgramState& state)
{
    map.CloseDataSource(state.dataSourceName());
}

Result show(MapDocument& map, ProgramState& state, const QString& path,
            const QList<qint64>& colours)
{
    Result result;
    const QString name = state.dataSourceName();
    MapDataSource* source = map.OpenDataSource(name, path);
    result.problems = map.lastProblems();
    state.undrawnFiles.clear();
    for (OperationError& problem : result.problems) {
        const QFileInfo staged(problem.where);
        const QString origin = state.stagedOrigins.value(staged.completeBaseName());
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
        for (int k = source->tableCount() - 1; k >= 0; --k) {
            state.ansichtnummer += 1;
            const QString viewName = QStringLiteral("VIEW ") + QString::number(state.ansichtnummer);
            MapView* view = map.AddView(viewName, source->table(k).get());
            if (!view)
                continue;
            view->setText(source->text());
            // Colour k belongs to the k-th shapefile of the folder; a damaged
            // one left out of the tables must not shift the colours after it.
            const MapTable& table = *source->table(k);
            const qsizetype place = source->shapefileBaseNames().indexOf(table.baseName());
            view->setColour(int(colours.value(place < 0 ? k : place, 0)));
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

} // namespace LayerDisplay
