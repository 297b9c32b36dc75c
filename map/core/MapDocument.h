#pragma once

#include "BackgroundRelease.h"
#include "MapDataSource.h"
#include "MapExtent.h"
#include "MapView.h"
#include "MapViewport.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

// Everything the map shows: the open data sources by name, the views drawn
// from their tables and the visible window. The operations keep the names the
// rest of the program calls them by. Sources, tables and views returned as
// pointers are owned here and stay valid until their data source is closed
// (or reopened under the same name) or initialise() runs.
class MapDocument {
public:
    MapDocument();

    // Start-up state, set once when the main window loads: no sources, no
    // views and the default window (0 to 1000 m in x and y). This is all of
    // the map's start-up configuration; map units are always metres.
    void initialise();

    // Releases the source and removes its views. False when no source of that
    // name was open; callers may ignore the result.
    bool CloseDataSource(const QString& name);
    // Opens path as a data source named name, replacing an open one of that
    // name: a folder gives a Kind 2 source of all its shapefiles, a .shp file
    // a Kind 1 source. Components of path that do not exist as written are
    // matched ignoring case. Null when the folder does not exist or holds no
    // shapefile, or the single file cannot be read; see lastProblems().
    MapDataSource* OpenDataSource(const QString& name, const QString& path);
    // Opens the shapefiles files (MapDataSource::openFiles) as a data source
    // named name over path, replacing an open one of that name. Null when
    // files is empty or the reading was cancelled through progress (then
    // *cancelled is set); see lastProblems().
    MapDataSource* OpenDataSource(const QString& name, const QString& path,
                                  const QList<MapDataSource::ShapefileEntry>& files,
                                  const ShapeCache::Progress& progress = {},
                                  bool* cancelled = nullptr);
    // Open sources, the one opened last first.
    QList<MapDataSource*> DataSources() const;
    // How many data sources have been opened so far.
    qint64 openings() const { return m_openings; }
    // Files the last OpenDataSource left out, with why.
    const QList<OperationError>& lastProblems() const { return m_lastProblems; }

    // A view of one table of an open source, or of all tables of an open
    // source, added on top of the earlier views. Null when the table or
    // source is not open here.
    MapView* AddView(const QString& viewName, const MapTable* table);
    MapView* AddView(const QString& viewName, const MapDataSource* source);
    // Views in drawing order: the first added lies at the bottom.
    QList<const MapView*> views() const;
    int viewCount() const { return int(m_views.size()); }

    // Extent of everything the views draw; invalid when they draw nothing.
    MapExtent dataExtent() const;

    // Shows every view, with MapViewport::zoomAllMargin; false (window kept)
    // when no view has any shape.
    bool ZoomAll();
    bool ZoomBy(double factor);
    bool ZoomAt(double x, double y, double factor);
    bool SetExtent(double minX, double minY, double maxX, double maxY);
    // Scale denominator n of 1:n; 0 before the map has a size.
    double Scale() const { return m_viewport.scale(); }
    // False and nothing changes for n <= 0: the scale is kept.
    bool setScale(qint32 denominator) { return m_viewport.setScale(denominator); }
    double MinX() const { return m_viewport.minX(); }
    double MinY() const { return m_viewport.minY(); }
    double MaxX() const { return m_viewport.maxX(); }
    double MaxY() const { return m_viewport.maxY(); }

    MapViewport& viewport() { return m_viewport; }
    const MapViewport& viewport() const { return m_viewport; }

private:
    MapDataSource* adopt(const QString& name, std::shared_ptr<MapDataSource> source);
    struct OpenSource {
        std::shared_ptr<MapDataSource> source;
        qint64 openedAt; // order of opening
    };
    MapView* addView(const QString& viewName, const QString& sourceName,
                     QList<std::shared_ptr<const MapTable>> tables);
    const OpenSource* findOwner(const MapDataSource* source) const;

    BackgroundRelease m_release; // declared first: destroyed last, once its frees are done
    QHash<QString, OpenSource> m_sources;
    // Every open table -> name of its source, for AddView of a table.
    using TableOwners = QHash<const MapTable*, std::pair<QString, std::shared_ptr<const MapTable>>>;
    TableOwners m_tables;
    std::vector<std::unique_ptr<MapView>> m_views;
    MapViewport m_viewport;
    QList<OperationError> m_lastProblems;
    qint64 m_openings = 0;
};
