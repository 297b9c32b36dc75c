#pragma once

#include "ShapefileReader.h"

#include <QHash>
#include <QString>

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
// Used by MapDataSource::openFolder; single-threaded like the map.
class ShapeCache {
public:
    static ShapeCache& shared();

    // The table of shpPath with its index shxPath: the one kept when both
    // files are unchanged, else read with ShapefileReader (failures are not
    // kept, so they are read and reported again).
    ShapefileReader::Result read(const QString& shpPath, const QString& shxPath);

    // A round of reads, one opening of a folder: when it ends, every table
    // not asked for during it is forgotten, so the cache holds no more than
    // the tables of the folder opened last.
    void beginRound() { ++m_round; }
    void endRound();

    void clear() { m_entries.clear(); }
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
    struct Entry {
        QString shxPath;
        FileIdentity shp;
        FileIdentity shx;
        ShapefileReader::Result result;
        qint64 round = 0;
    };
    QHash<QString, Entry> m_entries; // by path of the .shp
    qint64 m_round = 0;
};
