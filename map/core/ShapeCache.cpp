#include "ShapeCache.h"

#include <QDateTime>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

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

// Runs work(i) for every i below count, on as many threads as the machine has
// cores when count is large enough to pay for starting them.
template <typename Work> void forEachInParallel(size_t count, const Work& work)
{
    constexpr size_t chunk = 64;
    std::atomic<size_t> next{0};
    const auto run = [&] {
        for (size_t from = next.fetch_add(chunk); from < count; from = next.fetch_add(chunk)) {
            for (size_t i = from; i < std::min(count, from + chunk); ++i)
                work(i);
        }
    };
    const size_t threads =
        std::clamp<size_t>(count / (4 * chunk), 1, size_t(std::max(1, QThread::idealThreadCount())));
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t)
        helpers.emplace_back(run);
    run();
    for (std::thread& helper : helpers)
        helper.join();
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
        m_entries.insert(shpPath, {shxPath, shp, shx, result, m_round, verticesOf(result)});
    else
        forget(shpPath, shxPath, result);
    return result;
}

ShapefileReader::Result ShapeCache::readThisRound(const QString& shpPath, const QString& shxPath)
{
    const auto found = m_entries.constFind(shpPath);
    if (found != m_entries.cend() && found->round == m_round && found->shxPath == shxPath)
        return found->result;
    const auto unkept = m_unkeptThisRound.constFind(shpPath);
    if (unkept != m_unkeptThisRound.cend() && unkept->first == shxPath)
        return unkept->second;
    return read(shpPath, shxPath);
}

QList<ShapefileReader::Result> ShapeCache::readAll(const QList<Request>& requests,
                                                   const Progress& progress, bool* cancelled)
{
    struct Work {
        qsizetype index = 0;
        bool known = false;
        FileIdentity shp, shx;
        bool keep = false;
    };
    if (cancelled)
        *cancelled = false;
    QList<ShapefileReader::Result> results(requests.size());
    // The files' identities first, on all cores: one look-up of the file
    // system per file is most of the time a warm opening takes.
    std::vector<Work> identified(size_t(requests.size()));
    forEachInParallel(identified.size(), [&](size_t i) {
        const Request& request = requests.at(qsizetype(i));
        Work& work = identified[i];
        work.index = qsizetype(i);
        work.known = !request.shxPath.isEmpty() && identify(request.shpPath, &work.shp) &&
                     identify(request.shxPath, &work.shx);
    });
    std::vector<Work> misses;
    for (qsizetype i = 0; i < requests.size(); ++i) {
        const Request& request = requests.at(i);
        const Work& work = identified[size_t(i)];
        if (work.known) {
            const auto found = m_entries.find(request.shpPath);
            if (found != m_entries.end() && found->shxPath == request.shxPath &&
                found->shp == work.shp && found->shx == work.shx) {
                found->round = m_round;
                results[i] = found->result;
                continue;
            }
        }
        misses.push_back(work);
    }
    // Workers take the next miss until none is left or the reading is
    // cancelled; a file is read exactly as read() does.
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    std::atomic<bool> stop{false};
    std::mutex finishing;
    std::condition_variable finished;
    const auto readMisses = [&] {
        for (size_t k = next++; k < misses.size() && !stop; k = next++) {
            Work& work = misses[k];
            const Request& request = requests.at(work.index);
            const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
            results[work.index] = ShapefileReader::read(request.shpPath, request.shxPath);
            FileIdentity shpAfter;
            FileIdentity shxAfter;
            work.keep =
                results[work.index].table && work.known && identify(request.shpPath, &shpAfter) &&
                identify(request.shxPath, &shxAfter) && shpAfter == work.shp &&
                shxAfter == work.shx && settled(work.shp, nowNs) && settled(work.shx, nowNs);
            if (++done == misses.size()) {
                const std::lock_guard lock(finishing);
                finished.notify_all();
            }
        }
    };
    constexpr size_t filesPerWorker = 32;
    const size_t workers = std::clamp<size_t>(misses.size() / filesPerWorker, 1,
                                              size_t(std::max(1, QThread::idealThreadCount())));
    std::vector<std::thread> threads;
    const bool reporting = bool(progress) && !misses.empty();
    // Reported once before any reading, so that a caller may cancel however
    // fast the files are read.
    if (reporting && !progress(0, qsizetype(misses.size()))) {
        if (cancelled)
            *cancelled = true;
        return {};
    }
    for (size_t w = reporting ? 0 : 1; w < workers; ++w)
        threads.emplace_back(readMisses);
    if (reporting) {
        std::unique_lock lock(finishing);
        while (done < misses.size() && !stop) {
            lock.unlock();
            if (!progress(qsizetype(done), qsizetype(misses.size())))
                stop = true;
            lock.lock();
            finished.wait_for(lock, std::chrono::milliseconds(50),
                              [&] { return done == misses.size() || stop; });
        }
    } else {
        readMisses();
    }
    for (std::thread& thread : threads)
        thread.join();
    if (stop) {
        if (cancelled)
            *cancelled = true;
        return {};
    }
    for (const Work& work : misses) {
        const Request& request = requests.at(work.index);
        if (work.keep)
            m_entries.insert(request.shpPath,
                             {request.shxPath, work.shp, work.shx, results.at(work.index), m_round,
                              verticesOf(results.at(work.index))});
        else
            forget(request.shpPath, request.shxPath, results.at(work.index));
    }
    return results;
}

void ShapeCache::forget(const QString& shpPath, const QString& shxPath,
                        const ShapefileReader::Result& result)
{
    m_entries.remove(shpPath);
    if (result.table)
        m_unkeptThisRound.insert(shpPath, {shxPath, result});
    else
        m_unkeptThisRound.remove(shpPath);
}

void ShapeCache::endRound()
{
    // Most rounds stay within the reserve: a first pass only sums.
    qint64 vertices = 0;
    for (const Entry& entry : std::as_const(m_entries))
        vertices += entry.round == m_round ? 0 : entry.vertices;
    if (vertices <= keptVertices)
        return;
    std::vector<std::pair<qint64, QString>> older; // (round, path) of tables not asked for
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->round != m_round)
            older.emplace_back(it->round, it.key());
    }
    std::sort(older.begin(), older.end());
    for (const auto& [round, path] : older) {
        const auto found = m_entries.find(path);
        vertices -= found->vertices;
        m_entries.erase(found);
        if (vertices <= keptVertices)
            break;
    }
}
