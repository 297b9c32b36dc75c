#include "ShapelibHooks.h"

#include "FileGuard.h"
#include "FileResolver.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>

struct ShapelibSession::MemoryFile {
    QByteArray content;
    qint64 position = 0;
};

namespace {

thread_local ShapelibSession* t_current = nullptr;

using MemoryFile = ShapelibSession::MemoryFile;

MemoryFile* memoryFile(SAFile file)
{
    return reinterpret_cast<MemoryFile*>(file);
}

SAOffset readHook(void* buffer, SAOffset size, SAOffset count, SAFile file)
{
    MemoryFile* f = memoryFile(file);
    if (size == 0 || count == 0)
        return 0;
    const qint64 left = std::max<qint64>(0, f->content.size() - f->position);
    const SAOffset items = std::min<SAOffset>(count, SAOffset(left) / size);
    std::memcpy(buffer, f->content.constData() + f->position, items * size);
    f->position += qint64(items * size);
    return items;
}

SAOffset writeHook(void*, SAOffset, SAOffset, SAFile)
{
    return 0;
}

// fseek's contract: 0 on success; positions past the end are allowed.
SAOffset seekHook(SAFile file, SAOffset offset, int whence)
{
    MemoryFile* f = memoryFile(file);
    const qint64 delta = static_cast<qint64>(static_cast<long>(offset));
    qint64 base = 0;
    if (whence == SEEK_CUR)
        base = f->position;
    else if (whence == SEEK_END)
        base = f->content.size();
    else if (whence != SEEK_SET)
        return SAOffset(-1);
    const qint64 target = whence == SEEK_SET ? qint64(offset) : base + delta;
    if (target < 0)
        return SAOffset(-1);
    f->position = target;
    return 0;
}

SAOffset tellHook(SAFile file)
{
    return SAOffset(memoryFile(file)->position);
}

int flushHook(SAFile)
{
    return 0;
}

int removeHook(const char*)
{
    return -1;
}

} // namespace

ShapelibSession::ShapelibSession() : m_previous(t_current)
{
    SASetupDefaultHooks(&m_hooks);
    m_hooks.FOpen = &ShapelibSession::openHook;
    m_hooks.FRead = &readHook;
    m_hooks.FWrite = &writeHook;
    m_hooks.FSeek = &seekHook;
    m_hooks.FTell = &tellHook;
    m_hooks.FFlush = &flushHook;
    m_hooks.FClose = [](SAFile file) {
        if (t_current)
            std::erase_if(t_current->m_open, [file](const std::unique_ptr<MemoryFile>& open) {
                return open.get() == memoryFile(file);
            });
        return 0;
    };
    m_hooks.Remove = &removeHook;
    m_hooks.Error = &ShapelibSession::errorHook;
    t_current = this;
}

ShapelibSession::~ShapelibSession()
{
    t_current = m_previous;
}

void ShapelibSession::addFile(const QString& path, const QByteArray& content)
{
    m_files.insert(path.toCaseFolded(), content);
}

SAFile ShapelibSession::openHook(const char* fileName, const char* access)
{
    if (!t_current || std::strpbrk(access, "wa+") != nullptr)
        return nullptr;
    const QString path = QFile::decodeName(fileName);
    auto file = std::make_unique<MemoryFile>();
    const auto known = t_current->m_files.constFind(path.toCaseFolded());
    if (known != t_current->m_files.constEnd()) {
        file->content = *known;
    } else {
        const QFileInfo info(path);
        QFile disk;
        const OperationError error =
            FileGuard::openForReading(disk, FileResolver::resolve(info.path(), info.fileName()));
        if (error.isError()) {
            if (error.kind == ErrorKind::Refused)
                t_current->m_errors.append(error.where + QStringLiteral(": ") + error.detail);
            return nullptr;
        }
        file->content = disk.readAll();
    }
    t_current->m_open.push_back(std::move(file));
    return reinterpret_cast<SAFile>(t_current->m_open.back().get());
}

void ShapelibSession::errorHook(const char* message)
{
    if (t_current)
        t_current->m_errors.append(QString::fromLocal8Bit(message).trimmed());
}
