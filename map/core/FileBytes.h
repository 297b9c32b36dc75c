#pragma once

#include "OperationError.h"

#include <QByteArray>
#include <QFile>

// The whole content of a file, read at once (memory-mapped when large), for
// checking and parsing without further file access. The file is closed as
// soon as the bytes are in memory, unless it is mapped.
class FileBytes {
public:
    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Loads path, a regular file (anything else is refused without waiting,
    // see FileGuard::openForReading); the error names path and says why it
    // could not be read.
    OperationError load(const QString& path);

    QString path() const { return m_path; }
    const uchar* data() const;
    qint64 size() const { return m_size; }
    // The content without a copy; valid while this object lives.
    QByteArray bytes() const;

private:
    QString m_path;
    QFile m_file;
    uchar* m_mapped = nullptr;
    QByteArray m_copy;
    qint64 m_size = 0;
};
