#include "BackgroundRelease.h"

BackgroundRelease::BackgroundRelease()
{
    // One thread keeps the frees in order and leaves the other cores to the
    // readers.
    m_pool.setMaxThreadCount(1);
    m_pool.setObjectName(QStringLiteral("BackgroundRelease"));
}

BackgroundRelease::~BackgroundRelease()
{
    {
        const QMutexLocker lock(&m_mutex);
        m_closed = true;
        m_closing.wakeAll();
    }
    m_pool.waitForDone();
}

void BackgroundRelease::waitUntil(const QDeadlineTimer& due)
{
    const QMutexLocker lock(&m_mutex);
    while (!m_closed && !due.hasExpired())
        m_closing.wait(&m_mutex, due);
}
