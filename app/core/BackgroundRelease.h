#pragma once

#include <QDeadlineTimer>
#include <QMutex>
#include <QThreadPool>
#include <QWaitCondition>

#include <memory>
#include <type_traits>

// Frees large structures (thousands of tables, views or grid rows) on a
// worker thread, so that the window's thread goes on drawing instead of
// waiting for their destructors. Only objects no other thread uses may be
// handed over, and their destructors may touch nothing shared but atomic
// reference counts (shared tables, Qt's implicitly shared data). The frees
// start a moment after the hand-over, once the window has drawn what the
// click changed: freeing while it draws makes both threads wait on the
// allocator. The destructor frees what is left at once and returns when all
// is freed.
class BackgroundRelease {
public:
    static constexpr int delayMs = 150;

    BackgroundRelease();
    ~BackgroundRelease();
    BackgroundRelease(const BackgroundRelease&) = delete;
    BackgroundRelease& operator=(const BackgroundRelease&) = delete;

    template <typename T> void release(T&& object)
    {
        static_assert(!std::is_lvalue_reference_v<T>, "hand the object over with std::move");
        auto holder = std::make_shared<std::decay_t<T>>(std::move(object));
        const QDeadlineTimer due(delayMs);
        m_pool.start([this, due, holder = std::move(holder)]() mutable {
            waitUntil(due);
            holder.reset();
        });
    }

private:
    void waitUntil(const QDeadlineTimer& due);

    QMutex m_mutex;
    QWaitCondition m_closing;
    bool m_closed = false;
    QThreadPool m_pool; // last: destroyed first, while the members above still exist
};
