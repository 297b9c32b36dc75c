#pragma once

#include "MapExtent.h"
#include "MapTable.h"
#include "OperationError.h"
#include "ShapeCache.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// A named source of map tables: either a folder whose shapefiles are its
// tables (Kind 2) or one shapefile (Kind 1). Everything is read into memory
// when the source is opened; no file stays open afterwards.
class MapDataSource {
public:
    enum SourceKind { SingleTable = 1, TableFolder = 2 };

    // One table per *.shp file of folder (suffix matched ignoring case), in
    // ascending order of base file name compared code unit by code unit, so
    // that "A" < "B" < "a". Files that cannot be read are left out and listed
    // in problems(). Null when the folder does not exist or holds no *.shp.
    // Unchanged shapefiles of the folder opened before are not read again
    // (ShapeCache).
    static std::shared_ptr<MapDataSource> openFolder(const QString& name, const QString& folder);

    // One shapefile of a list source: its table's name in the source, its
    // .shp and its index (empty when there is none), both found on disk.
    struct ShapefileEntry {
        QString tableName;
        QString shpPath;
        QString shxPath;
    };
    // A Kind 2 source named name over shapefiles wherever they lie (path is
    // what path() reports): one table per entry, in the order given, and
    // shapefileBaseNames() lists the entries' tableName. Files that cannot be
    // read are left out and listed in problems(). Null when files is empty.
    // Unchanged shapefiles are not read again (ShapeCache). progress (when
    // given) is told how far the reading is and may cancel it: then the
    // result is null and *cancelled is set.
    static std::shared_ptr<MapDataSource> openFiles(const QString& name, const QString& path,
                                                    const QList<ShapefileEntry>& files,
                                                    const ShapeCache::Progress& progress = {},
                                                    bool* cancelled = nullptr);

    // A single-table source over one shapefile. Null when it cannot be read;
    // then *error (when given) says why.
    static std::shared_ptr<MapDataSource> openFile(const QString& name, const QString& shpPath,
                                                   OperationError* error = nullptr);

    QString name() const { return m_name; }
    int Kind() const { return m_kind; }
    // The folder or file the source was opened over.
    QString path() const { return m_path; }
    // Initially the source's name.
    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

    int tableCount() const { return int(m_tables.size()); }
    // Table by 0-based index; null when out of range.
    std::shared_ptr<const MapTable> table(int index) const;
    const QList<std::shared_ptr<const MapTable>>& tables() const { return m_tables; }

    // Files left out, with what was wrong; where names the offending file.
    const QList<OperationError>& problems() const { return m_problems; }
    // Base names of every shapefile the folder held, in table order, those
    // left out as damaged included: callers that pair values with tables by
    // position in the folder find a table's place here.
    const QStringList& shapefileBaseNames() const { return m_shapefileBaseNames; }
    // Place of table index among shapefileBaseNames(); -1 when out of range.
    int shapefilePlace(int index) const { return int(m_tablePlaces.value(index, -1)); }

    MapExtent bounds() const;

private:
    MapDataSource(const QString& name, int kind, const QString& path);

    QString m_name;
    int m_kind;
    QString m_path;
    QString m_text;
    QList<std::shared_ptr<const MapTable>> m_tables;
    QList<OperationError> m_problems;
    QStringList m_shapefileBaseNames;
    QList<qsizetype> m_tablePlaces; // per table
};
