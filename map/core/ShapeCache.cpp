#include "ShapeCache.h"

#include <QDateTime>
#include <QFile>

#include <sys/stat.h>

namespace {

using FileIdentity = ShapeCache::FileIdentity;

// Files modified or changed this recently may change again without a new
// timestamp.
constexpr qint64 settledNs = 2'000'000'000;

bool identify(const QString& path, FileIdentity* identity)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    *identity = {st.st_dev, st.st_ino, qint64(st.st_size),
                 qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
                 qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
    return true;
}

bool settled(const FileIdentity& identity, qint64 nowNs)
{
    return identity.modifiedNs + settledNs < nowNs && identity.changedNs + settledNs < nowNs;
}

} // namespace

ShapeCache& ShapeCache::shared()
{
    static ShapeCache cache;
    return cache;
}

ShapefileReader::Result ShapeCache::read(const QString& shpPath, const QString& shxPath)
{
    FileIdentity shp;
    FileIdentity shx;
    const bool known = identify(shpPath, &shp) && identify(shxPath, &shx);
    if (known) {
        const auto found = m_entries.find(shpPath);
        if (found != m_entries.end() && found->shxPath == shxPath && found->shp == shp &&
            found->shx == shx) {
            found->round = m_round;
            return found->result;
        }
    }
    const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
    ShapefileReader::Result result = ShapefileReader::read(shpPath, shxPath);
    FileIdentity shpAfter;
    FileIdentity shxAfter;
    const bool unchanged = known && identify(shpPath, &shpAfter) && identify(shxPath, &shxAfter) &&
                           shpAfter == shp && shxAfter == shx;
    if (result.table && unchanged && settled(shp, nowNs) && settled(shx, nowNs))
        m_entries.insert(shpPath, {shxPath, shp, shx, result, m_round});
    else
        m_entries.remove(shpPath);
    return result;
}

void ShapeCache::endRound()
{
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->round != m_round)
            it = m_entries.erase(it);
        else
            ++it;
    }
}
