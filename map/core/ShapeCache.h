#pragma once

#include "ShapefileReader.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

#include <sys/types.h>

// Tables read from shapefiles, kept by the identity of their files (path,
// size, modification time, inode change time, device and inode of the .shp
// and its index), so that opening an unchanged plot again reads and parses
// nothing. The change time is moved by every write and every change of
// times and cannot be set back, so a file replaced in place by one of the
// same size with its modification time carried over (cp -p, rsync -t, an
// unpacked archive) is read again. A file is taken as unchanged only when its
// identity was the same before and after it was read and neither time lies
// within the last seconds before: a change within the file system's timestamp
// granularity could otherwise go unnoticed.
// Used by MapDataSource::openFolder and openFiles from the map's thread;
// readAll reads on worker threads, but only the calling thread touches the cache.
class ShapeCache {
public:
    static ShapeCache& shared();

    // The table of shpPath with its index shxPath: the one kept when both
    // files are unchanged, else read with ShapefileReader (failures are not
    // kept, so they are read and reported again).
    ShapefileReader::Result read(const QString& shpPath, const QString& shxPath);

    // The table read() or readAll() gave for shpPath with shxPath in the
    // current round, without looking at the files again: what the map has
    // just drawn. Else the same as read().
    ShapefileReader::Result readThisRound(const QString& shpPath, const QString& shxPath);

    struct Request {
        QString shpPath;
        QString shxPath; // empty: no index on disk, read and reported, never kept
    };
    // Called on the calling thread before the files are read and about every
    // 50 ms while they are, with the number of files read and to read; false
    // cancels the reading.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;
    // read() for every request, results in the same order. Tables not kept
    // are read on worker threads (as many as the machine has cores); the
    // cache itself is used by the calling thread only. With progress, the
    // calling thread reports instead of reading; a cancelled reading returns
    // an empty list and *cancelled (when given) is set.
    QList<ShapefileReader::Result> readAll(const QList<Request>& requests,
                                           const Progress& progress = {},
                                           bool* cancelled = nullptr);

    // A round of reads, one opening of a folder. When it ends, tables not
    // asked for during it are forgotten, those of the oldest rounds first,
    // until the others hold no more than keptVertices vertices: switching
    // between one farm and all farms reads nothing again, while memory stays
    // bounded by the tables shown plus that reserve (a vertex takes 16 bytes:
    // 80 MB for the reserve, what 100,000 plots of 50 vertices hold).
    void beginRound()
    {
        ++m_round;
        m_unkeptThisRound.clear();
    }
    void endRound();
    static constexpr qint64 keptVertices = 5'000'000;

    void clear()
    {
        m_entries.clear();
        m_unkeptThisRound.clear();
    }
    int size() const { return int(m_entries.size()); }

    struct FileIdentity {
        dev_t device = 0;
        ino_t inode = 0;
        qint64 size = -1;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0; // inode change time
        bool operator==(const FileIdentity&) const = default;
    };

private:
    // Drops the kept table of shpPath; a table just read stays for this round.
    void forget(const QString& shpPath, const QString& shxPath,
                const ShapefileReader::Result& result);
    struct Entry {
        QString shxPath;
        FileIdentity shp;
        FileIdentity shx;
        ShapefileReader::Result result;
        qint64 round = 0;
        qint64 vertices = 0; // of the table, kept here to sum them without touching it
    };
    static qint64 verticesOf(const ShapefileReader::Result& result)
    {
        return result.table ? result.table->vertexCount() : 0;
    }
    QHash<QString, Entry> m_entries; // by path of the .shp
    // Tables read this round but not kept (files changed moments ago), so
    // that readThisRound does not read them a second time.
    QHash<QString, std::pair<QString, ShapefileReader::Result>> m_unkeptThisRound; // .shp -> .shx, table
    qint64 m_round = 0;
};
