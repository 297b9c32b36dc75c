#include "FileBytes.h"

#include "FileGuard.h"

namespace {
// Mapping costs more than reading for the small files a plot makes.
constexpr qint64 mapThreshold = 1 << 20; // bytes
} // namespace

FileBytes::~FileBytes()
{
    if (m_mapped)
        m_file.unmap(m_mapped);
}

OperationError FileBytes::load(const QString& path)
{
    m_path = path;
    // Unbuffered: the content is read in one call, a buffer would only copy it.
    if (const OperationError error =
            FileGuard::openForReading(m_file, path, QIODevice::ReadOnly | QIODevice::Unbuffered);
        error.isError())
        return error;
    m_size = m_file.size();
    if (m_size > mapThreshold)
        m_mapped = m_file.map(0, m_size);
    if (!m_mapped) {
        m_copy = m_file.read(m_size);
        m_file.close();
        if (m_copy.size() != m_size)
            return {ErrorKind::PathFileAccess, QStringLiteral("file could not be read whole"),
                    path};
    }
    return {};
}

const uchar* FileBytes::data() const
{
    return m_mapped ? m_mapped : reinterpret_cast<const uchar*>(m_copy.constData());
}

QByteArray FileBytes::bytes() const
{
    return m_mapped ? QByteArray::fromRawData(reinterpret_cast<const char*>(m_mapped), m_size)
                    : m_copy;
}
