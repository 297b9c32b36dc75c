#include "FileBytes.h"

#include <QFileInfo>

namespace {
// Mapping costs more than reading for the small files a plot makes.
constexpr qint64 mapThreshold = 1 << 20; // bytes

ErrorKind openFailureKind(const QFile& file)
{
    if (file.error() == QFileDevice::PermissionsError)
        return ErrorKind::PermissionDenied;
    return QFileInfo::exists(file.fileName()) ? ErrorKind::PathFileAccess : ErrorKind::FileNotFound;
}
} // namespace

FileBytes::~FileBytes()
{
    if (m_mapped)
        m_file.unmap(m_mapped);
}

OperationError FileBytes::load(const QString& path)
{
    m_file.setFileName(path);
    // Unbuffered: the content is read in one call, a buffer would only copy it.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {openFailureKind(m_file), m_file.errorString(), path};
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
