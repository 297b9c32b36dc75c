#include "MapDocument.h"

#include "FileResolver.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace {
// path when it exists; otherwise, below its deepest existing folder, every
// further component matched ignoring case.
QString existingPath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    if (clean.isEmpty() || QFileInfo::exists(clean))
        return clean;
    QString base = clean;
    QStringList rest;
    while (!QFileInfo::exists(base)) {
        const QFileInfo info(base);
        if (info.path() == base)
            return clean; // reached the root or a relative start
        rest.prepend(info.fileName());
        base = info.path();
    }
    return FileResolver::resolvePath(base, rest.join('/'));
}
} // namespace

MapDocument::MapDocument()
{
    initialise();
}

void MapDocument::initialise()
{
    m_views.clear();
    m_tables.clear();
    m_sources.clear();
    m_lastProblems.clear();
    const QSizeF size = m_viewport.size();
    m_viewport = MapViewport();
    m_viewport.resize(size);
}

bool MapDocument::CloseDataSource(const QString& name)
{
    const auto found = m_sources.find(name);
    if (found == m_sources.end())
        return false;
    // What the source held is freed on the release thread: after all farms
    // were shown these are ten thousands of views and tables.
    struct Closed {
        std::vector<std::unique_ptr<MapView>> views;
        std::shared_ptr<MapDataSource> source;
        TableOwners tables;
    } closed;
    const auto others = std::stable_partition(
        m_views.begin(), m_views.end(),
        [&](const std::unique_ptr<MapView>& view) { return view->sourceName() != name; });
    closed.views.reserve(size_t(m_views.end() - others));
    std::move(others, m_views.end(), std::back_inserter(closed.views));
    m_views.erase(others, m_views.end());
    if (m_sources.size() == 1) {
        closed.tables.swap(m_tables);
    } else {
        // Unchanged tables are shared between openings (ShapeCache): one that
        // another open source lists now stays known.
        for (const auto& table : found->source->tables()) {
            const auto owner = m_tables.find(table.get());
            if (owner != m_tables.end() && owner->first == name)
                m_tables.erase(owner);
        }
    }
    closed.source = std::move(found->source);
    m_sources.erase(found);
    m_release.release(std::move(closed));
    return true;
}

MapDataSource* MapDocument::OpenDataSource(const QString& name, const QString& path)
{
    CloseDataSource(name);
    m_lastProblems.clear();
    const QString resolved = existingPath(path);
    std::shared_ptr<MapDataSource> source;
    if (QFileInfo(resolved).isDir()) {
        source = MapDataSource::openFolder(name, resolved);
        if (source)
            m_lastProblems = source->problems();
    } else if (QFileInfo(resolved).isFile()) {
        OperationError error;
        source = MapDataSource::openFile(name, resolved, &error);
        if (error.isError())
            m_lastProblems.append(error);
    }
    return adopt(name, std::move(source));
}

MapDataSource* MapDocument::OpenDataSource(const QString& name, const QString& path,
                                           const QList<MapDataSource::ShapefileEntry>& files,
                                           const ShapeCache::Progress& progress,
                                           bool* cancelled)
{
    CloseDataSource(name);
    m_lastProblems.clear();
    std::shared_ptr<MapDataSource> source =
        MapDataSource::openFiles(name, path, files, progress, cancelled);
    if (source)
        m_lastProblems = source->problems();
    return adopt(name, std::move(source));
}

MapDataSource* MapDocument::adopt(const QString& name, std::shared_ptr<MapDataSource> source)
{
    if (!source)
        return nullptr;
    for (const auto& table : source->tables())
        m_tables.insert(table.get(), {name, table});
    m_sources.insert(name, {source, ++m_openings});
    return source.get();
}

QList<MapDataSource*> MapDocument::DataSources() const
{
    QList<const OpenSource*> open;
    for (const OpenSource& entry : m_sources)
        open.append(&entry);
    std::sort(open.begin(), open.end(),
              [](const OpenSource* a, const OpenSource* b) { return a->openedAt > b->openedAt; });
    QList<MapDataSource*> sources;
    for (const OpenSource* entry : std::as_const(open))
        sources.append(entry->source.get());
    return sources;
}

MapView* MapDocument::AddView(const QString& viewName, const MapTable* table)
{
    const auto found = m_tables.constFind(table);
    if (found == m_tables.constEnd())
        return nullptr;
    return addView(viewName, found->first, {found->second});
}

MapView* MapDocument::AddView(const QString& viewName, const MapDataSource* source)
{
    const OpenSource* owner = findOwner(source);
    if (!owner)
        return nullptr;
    return addView(viewName, owner->source->name(), owner->source->tables());
}

QList<const MapView*> MapDocument::views() const
{
    QList<const MapView*> list;
    list.reserve(qsizetype(m_views.size()));
    for (const auto& view : m_views)
        list.append(view.get());
    return list;
}

MapExtent MapDocument::dataExtent() const
{
    MapExtent extent;
    for (const auto& view : m_views)
        extent.include(view->bounds());
    return extent;
}

bool MapDocument::ZoomAll()
{
    return m_viewport.zoomAll(dataExtent());
}

bool MapDocument::ZoomBy(double factor)
{
    return m_viewport.zoomBy(factor);
}

bool MapDocument::ZoomAt(double x, double y, double factor)
{
    return m_viewport.zoomAt(x, y, factor);
}

bool MapDocument::SetExtent(double minX, double minY, double maxX, double maxY)
{
    return m_viewport.setExtent(MapExtent::of(minX, minY, maxX, maxY));
}

MapView* MapDocument::addView(const QString& viewName, const QString& sourceName,
                              QList<std::shared_ptr<const MapTable>> tables)
{
    m_views.push_back(std::make_unique<MapView>(viewName, sourceName, std::move(tables)));
    return m_views.back().get();
}

const MapDocument::OpenSource* MapDocument::findOwner(const MapDataSource* source) const
{
    if (!source)
        return nullptr;
    const auto found = m_sources.constFind(source->name());
    return found != m_sources.constEnd() && found->source.get() == source ? &*found : nullptr;
}
