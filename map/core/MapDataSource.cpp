#include "MapDataSource.h"

#include "FolderListing.h"
#include "ShapeCache.h"
#include "ShapefileReader.h"

#include <QFileInfo>

#include <algorithm>

MapDataSource::MapDataSource(const QString& name, int kind, const QString& path)
    : m_name(name), m_kind(kind), m_path(path), m_text(name)
{
}

std::shared_ptr<MapDataSource> MapDataSource::openFolder(const QString& name, const QString& folder)
{
    const FolderListing listing(folder);
    QStringList shapefiles = listing.filesWithSuffix(QStringLiteral(".shp"));
    if (shapefiles.isEmpty())
        return nullptr;

    struct Entry {
        QString baseName;
        QString fileName;
    };
    QList<Entry> entries;
    entries.reserve(shapefiles.size());
    for (const QString& file : std::as_const(shapefiles))
        entries.append({QFileInfo(file).completeBaseName(), file});
    // Base names decide; the whole file name orders names differing only in suffix case.
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int byBase = a.baseName.compare(b.baseName);
        return byBase != 0 ? byBase < 0 : a.fileName.compare(b.fileName) < 0;
    });

    std::shared_ptr<MapDataSource> source(new MapDataSource(name, TableFolder, folder));
    source->m_tables.reserve(entries.size());
    ShapeCache& cache = ShapeCache::shared();
    cache.beginRound();
    for (const Entry& entry : std::as_const(entries)) {
        source->m_shapefileBaseNames.append(entry.baseName);
        const QString shx = listing.find(entry.baseName + QStringLiteral(".shx"));
        const QString shp = folder + '/' + entry.fileName;
        ShapefileReader::Result read =
            shx.isEmpty() ? ShapefileReader::read(shp, shx) : cache.read(shp, shx);
        if (read.table) {
            source->m_tables.append(std::move(read.table));
            source->m_tablePlaces.append(source->m_shapefileBaseNames.size() - 1);
        } else {
            source->m_problems.append(read.error);
        }
    }
    cache.endRound();
    return source;
}

std::shared_ptr<MapDataSource> MapDataSource::openFiles(const QString& name, const QString& path,
                                                        const QList<ShapefileEntry>& files,
                                                        const ShapeCache::Progress& progress,
                                                        bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    if (files.isEmpty())
        return nullptr;
    std::shared_ptr<MapDataSource> source(new MapDataSource(name, TableFolder, path));
    source->m_tables.reserve(files.size());
    source->m_shapefileBaseNames.reserve(files.size());
    QList<ShapeCache::Request> requests;
    requests.reserve(files.size());
    for (const ShapefileEntry& file : files) {
        source->m_shapefileBaseNames.append(file.tableName);
        requests.append({file.shpPath, file.shxPath});
    }
    ShapeCache& cache = ShapeCache::shared();
    cache.beginRound();
    bool stopped = false;
    QList<ShapefileReader::Result> reads = cache.readAll(requests, progress, &stopped);
    if (stopped) {
        if (cancelled)
            *cancelled = true;
        return nullptr; // the cache's round is left open: nothing is forgotten
    }
    for (qsizetype i = 0; i < reads.size(); ++i) {
        if (reads[i].table) {
            source->m_tables.append(std::move(reads[i].table));
            source->m_tablePlaces.append(i);
        } else {
            source->m_problems.append(reads[i].error);
        }
    }
    cache.endRound();
    return source;
}

std::shared_ptr<MapDataSource> MapDataSource::openFile(const QString& name, const QString& shpPath,
                                                       OperationError* error)
{
    ShapefileReader::Result read = ShapefileReader::read(shpPath);
    if (error)
        *error = read.error;
    if (!read.table)
        return nullptr;
    std::shared_ptr<MapDataSource> source(new MapDataSource(name, SingleTable, shpPath));
    source->m_tables.append(std::move(read.table));
    return source;
}

std::shared_ptr<const MapTable> MapDataSource::table(int index) const
{
    return index >= 0 && index < m_tables.size() ? m_tables.at(index) : nullptr;
}

MapExtent MapDataSource::bounds() const
{
    MapExtent extent;
    for (const auto& table : m_tables)
        extent.include(table->bounds());
    return extent;
}
