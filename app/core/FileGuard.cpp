#include "FileGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace FileGuard {

namespace detail {
StepHook stepHook = nullptr;
}

void setStepHook(StepHook hook)
{
    detail::stepHook = hook;
}

namespace {

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

OperationError refused(const QString& where, const QString& why)
{
    return {ErrorKind::Refused, why, where};
}

OperationError systemError(int error, const QString& where)
{
    ErrorKind kind = ErrorKind::PathFileAccess;
    if (error == ENOENT || error == ENOTDIR)
        kind = ErrorKind::FileNotFound;
    else if (error == EACCES || error == EPERM || error == EROFS)
        kind = ErrorKind::PermissionDenied;
    return {kind, QString::fromLocal8Bit(std::strerror(error)), where};
}

OperationError notAFolder(const QString& where)
{
    return {ErrorKind::PathNotFound, QStringLiteral("not a folder"), where};
}

// Both paths canonical.
bool isInside(const QString& path, const QString& root)
{
    return path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
}

// A raw descriptor, closed on every path out of its scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Takes fd, closing the one held before.
    void reset(int fd)
    {
        close();
        m_fd = fd;
    }
    // Hands the descriptor on: it is no longer closed here.
    int release() { return std::exchange(m_fd, -1); }
    // Closes now; what ::close returned (0 when nothing was open).
    int close() { return m_fd >= 0 ? ::close(std::exchange(m_fd, -1)) : 0; }

private:
    int m_fd;
};

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

OperationError checkPath(const QString& programFolder, const QString& path, bool wantFolder)
{
    const QString root = QDir::cleanPath(QDir::current().absoluteFilePath(programFolder));
    const QString target = QDir::cleanPath(QDir(root).absoluteFilePath(path));
    const QString relative = QDir(root).relativeFilePath(target);
    if (relative.isEmpty() || relative == QLatin1String("."))
        return wantFolder
                   ? OperationError::none()
                   : OperationError{ErrorKind::PathFileAccess, QStringLiteral("is a folder"), path};
    if (relative == QLatin1String("..") || relative.startsWith(QLatin1String("../")) ||
        QDir::isAbsolutePath(relative))
        return refused(path, QStringLiteral("outside the program folder"));

    const QStringList parts = relative.split('/');
    QString canonicalRoot;
    QString current = root;
    for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
        current += '/' + parts.at(i);
        switch (entryAt(current)) {
        case Entry::Missing:
            return OperationError::none(); // what follows is created inside
        case Entry::Folder:
            continue;
        case Entry::Link: {
            if (canonicalRoot.isEmpty())
                canonicalRoot = QFileInfo(root).canonicalFilePath();
            const QFileInfo link(current);
            const QString resolved = link.canonicalFilePath();
            if (resolved.isEmpty() || canonicalRoot.isEmpty() || !isInside(resolved, canonicalRoot))
                return refused(current, QStringLiteral("link leading out of the program folder"));
            if (!link.isDir())
                return notAFolder(current);
            continue;
        }
        case Entry::Unreachable:
            return {ErrorKind::PermissionDenied, QStringLiteral("cannot be examined"), current};
        case Entry::File:
        case Entry::Special:
            return notAFolder(current);
        }
    }
    if (!wantFolder)
        return checkTarget(target);
    switch (entryAt(target)) {
    case Entry::Missing:
    case Entry::Folder:
        return OperationError::none();
    case Entry::Link:
        return refused(target, QStringLiteral("symbolic link"));
    case Entry::Special:
        return refused(target, QStringLiteral("not a folder"));
    case Entry::Unreachable:
        return {ErrorKind::PermissionDenied, QStringLiteral("cannot be examined"), target};
    case Entry::File:
        break;
    }
    return notAFolder(target);
}

// Renames from to to unless to exists: the name is taken by the file as a
// whole or not at all. Where the file system cannot rename so, a hard link
// and the removal of the old name do the same. errno tells why on failure.
// Marks the scratch files of replaceFile: ".<name>.sorvan-<random>".
const QString scratchInfix = QStringLiteral(".sorvan-");

bool moveWithoutReplacing(const QString& from, const QString& to)
{
    if (::renameat2(AT_FDCWD, native(from).constData(), AT_FDCWD, native(to).constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(native(from).constData(), native(to).constData()) != 0)
        return false;
    ::unlink(native(from).constData());
    return true;
}

// A file written by a Writer under path's name in a folder made for it
// beside path; the folder goes with this object.
struct Scratch {
    OperationError error; // naming path
    std::unique_ptr<QTemporaryDir> folder;
    QString file;
};

Scratch writeScratch(const QString& path, const Writer& writer)
{
    Scratch result;
    if (const int injected = step(Step::OpenForWriting, path)) {
        result.error = systemError(injected, path);
        return result;
    }
    const QFileInfo info(path);
    result.folder =
        std::make_unique<QTemporaryDir>(info.absolutePath() + QStringLiteral("/.new-XXXXXX"));
    if (!result.folder->isValid()) {
        result.error = {ErrorKind::PathFileAccess, result.folder->errorString(), path};
        return result;
    }
    result.file = result.folder->filePath(info.fileName());
    result.error = writer(result.file);
    if (result.error.isError())
        result.error.where = path;
    else if (entryAt(result.file) != Entry::File)
        result.error = {ErrorKind::PathFileAccess, QStringLiteral("not written"), path};
    return result;
}

// Makes the folder's entries (a rename into it) last through a power cut.
void syncFolder(const QString& folder)
{
    const Descriptor fd(::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get());
}

} // namespace

Entry entryAt(const QString& path)
{
    struct stat st {};
    if (::lstat(native(path).constData(), &st) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? Entry::Missing : Entry::Unreachable;
    if (S_ISLNK(st.st_mode))
        return Entry::Link;
    if (S_ISREG(st.st_mode))
        return Entry::File;
    if (S_ISDIR(st.st_mode))
        return Entry::Folder;
    return Entry::Special;
}

OperationError checkTarget(const QString& path)
{
    switch (entryAt(path)) {
    case Entry::Missing:
    case Entry::File:
        return OperationError::none();
    case Entry::Link:
        return refused(path, QStringLiteral("symbolic link"));
    case Entry::Special:
        return refused(path, QStringLiteral("not a regular file"));
    case Entry::Folder:
        return {ErrorKind::PathFileAccess, QStringLiteral("is a folder"), path};
    case Entry::Unreachable:
        break;
    }
    return {ErrorKind::PermissionDenied, QStringLiteral("cannot be examined"), path};
}

OperationError checkFile(const QString& programFolder, const QString& path)
{
    return checkPath(programFolder, path, false);
}

OperationError checkFolder(const QString& programFolder, const QString& folder)
{
    return checkPath(programFolder, folder, true);
}

OperationError makeFolder(const QString& programFolder, const QString& folder)
{
    if (OperationError error = checkFolder(programFolder, folder); error.isError())
        return error;
    if (const int injected = step(Step::OpenForWriting, folder))
        return systemError(injected, folder);
    if (!QDir().mkpath(folder))
        return {ErrorKind::PathNotFound, QStringLiteral("cannot create folder"), folder};
    return OperationError::none();
}

OperationError openForReading(QFile& file, const QString& path, QIODevice::OpenMode mode)
{
    // Looked at before opening: opening a FIFO waits for a writer, opening a
    // device may start it.
    struct stat st {};
    if (::stat(native(path).constData(), &st) != 0)
        return systemError(errno, path);
    if (S_ISDIR(st.st_mode))
        return {ErrorKind::PathFileAccess, QStringLiteral("is a folder"), path};
    if (!S_ISREG(st.st_mode))
        return refused(path, QStringLiteral("not a regular file"));
    // O_NONBLOCK in case the entry was exchanged in between.
    Descriptor fd(::open(native(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return systemError(errno, path);
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return refused(path, QStringLiteral("not a regular file"));
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd.get(), mode | QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return {ErrorKind::PathFileAccess, file.errorString(), path};
    fd.release(); // the file closes it now
    return OperationError::none();
}

OperationError openForReadingIn(QFile& file, const QString& folder, const QString& path,
                                QIODevice::OpenMode mode)
{
    if (entryAt(path) == Entry::Link) {
        const QString target = QFileInfo(path).canonicalFilePath();
        const QString root = QFileInfo(folder).canonicalFilePath();
        if (target.isEmpty() || root.isEmpty() || !isInside(target, root))
            return refused(path, QStringLiteral("link leading out of the folder"));
    }
    return openForReading(file, path, mode);
}

OperationError replaceFile(const QString& programFolder, const QString& path,
                           const QByteArray& bytes, Durability durability)
{
    if (OperationError error = checkFile(programFolder, path); error.isError())
        return error;
    const QFileInfo info(path);
    struct stat existing {};
    const bool replacing = ::lstat(native(path).constData(), &existing) == 0;

    QString scratchPrefix = '.' + info.fileName() + scratchInfix;
    // The scratch name must stay within the file system's limit for a name
    // (with up to 7 characters of its random part): a long name gives way
    // to a hash of itself.
    if (native(scratchPrefix).size() + 7 > NAME_MAX)
        scratchPrefix = '.' +
                        QString::fromLatin1(QCryptographicHash::hash(native(info.fileName()),
                                                                     QCryptographicHash::Sha1)
                                                .toHex()
                                                .left(16)) +
                        scratchInfix;
    if (const int injected = step(Step::OpenForWriting, path))
        return systemError(injected, path);
    QString scratch;
    Descriptor fd;
    for (int attempt = 0; !fd.valid() && attempt < 50; ++attempt) {
        scratch = info.absolutePath() + '/' + scratchPrefix +
                  QString::number(QRandomGenerator::global()->generate(), 36);
        fd.reset(::open(native(scratch).constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!fd.valid() && errno != EEXIST)
            break;
    }
    if (!fd.valid())
        return systemError(errno, path);
    bool written = writeAll(fd.get(), bytes) &&
                   (!replacing || ::fchmod(fd.get(), existing.st_mode & 07777) == 0) &&
                   (durability == Durability::Cached || ::fsync(fd.get()) == 0);
    int error = errno;
    if (fd.close() != 0 && written) {
        written = false;
        error = errno;
    }
    if (written) {
        if (const int injected = step(Step::Rename, path)) {
            written = false;
            error = injected;
        }
    }
    if (written && ::rename(native(scratch).constData(), native(path).constData()) == 0)
        return OperationError::none();
    if (written)
        error = errno;
    ::unlink(native(scratch).constData());
    return systemError(error, path);
}

OperationError createNew(const QString& programFolder, const QString& path, const Writer& writer)
{
    if (OperationError error = checkFile(programFolder, path); error.isError())
        return error;
    if (entryAt(path) != Entry::Missing)
        return {ErrorKind::PathFileAccess, QStringLiteral("exists already"), path};
    const Scratch written = writeScratch(path, writer);
    if (written.error.isError())
        return written.error;
    const QString& scratch = written.file;
    if (const int injected = step(Step::Rename, path))
        return systemError(injected, path);
    // Moving without replacing: the name is taken by the file as a whole or not at all.
    if (moveWithoutReplacing(scratch, path))
        return OperationError::none();
    if (errno == EEXIST)
        return {ErrorKind::PathFileAccess, QStringLiteral("exists already"), path};
    return systemError(errno, path);
}

OperationError supersede(const QString& programFolder, const QString& path, const QString& keptPath,
                         const Writer& writer)
{
    for (const QString& name : {path, keptPath}) {
        if (OperationError error = checkFile(programFolder, name); error.isError())
            return error;
    }
    struct stat old {
    }, kept{};
    if (::lstat(native(path).constData(), &old) != 0 || !S_ISREG(old.st_mode))
        return {ErrorKind::FileNotFound, QStringLiteral("no such file"), path};
    const bool keptAlready = ::lstat(native(keptPath).constData(), &kept) == 0 &&
                             kept.st_dev == old.st_dev && kept.st_ino == old.st_ino;
    if (!keptAlready && entryAt(keptPath) != Entry::Missing)
        return {ErrorKind::PathFileAccess, QStringLiteral("exists already"), keptPath};
    const Scratch written = writeScratch(path, writer);
    if (written.error.isError())
        return written.error;
    const QString& scratch = written.file;
    if (!keptAlready) {
        OperationError error = linkNew(programFolder, path, keptPath);
        if (error.isError() && error.kind != ErrorKind::Refused &&
            entryAt(keptPath) == Entry::Missing)
            error = copyNew(programFolder, path, keptPath);
        if (error.isError())
            return error;
    }
    int error = step(Step::Rename, path);
    if (error == 0 && ::rename(native(scratch).constData(), native(path).constData()) == 0) {
        syncFolder(QFileInfo(path).absolutePath());
        return OperationError::none();
    }
    if (error == 0)
        error = errno;
    if (!keptAlready) // the second name made by this call; path still holds the file
        removeEntry(keptPath);
    return systemError(error, path);
}

void removeStaleScratch(const QString& programFolder, const QString& folder)
{
    const QDir parent(folder);
    const QStringList entries = parent.entryList({QStringLiteral(".*") + scratchInfix + '*'},
                                                 QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entryAt(parent.filePath(entry)) == Entry::File)
            removeFile(programFolder, parent.filePath(entry));
    }
}

void removeScratch(const QString& programFolder, const QString& folder, const QStringList& names)
{
    const QDir parent(folder);
    for (const QString& entry : parent.entryList({QStringLiteral(".new-*")},
                                                 QDir::Dirs | QDir::Hidden | QDir::NoSymLinks)) {
        const QString scratch = parent.filePath(entry);
        const QStringList inside = QDir(scratch).entryList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot);
        const bool own = std::all_of(inside.begin(), inside.end(), [&](const QString& name) {
            return names.contains(name, Qt::CaseInsensitive) &&
                   entryAt(scratch + '/' + name) == Entry::File;
        });
        if (!own)
            continue;
        bool emptied = true;
        for (const QString& name : inside)
            emptied = !removeFile(programFolder, scratch + '/' + name).isError() && emptied;
        if (emptied)
            removeFolder(programFolder, scratch);
    }
}

OperationError copyNew(const QString& programFolder, const QString& source, const QString& target)
{
    QFile in;
    if (OperationError error = openForReading(in, source); error.isError())
        return error;
    return createNew(programFolder, target, [&](const QString& scratch) -> OperationError {
        if (const int injected = step(Step::Copy, target))
            return systemError(injected, scratch);
        QFile out(scratch);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return {ErrorKind::PathFileAccess, out.errorString(), scratch};
        for (;;) {
            const QByteArray chunk = in.read(1 << 16);
            if (chunk.isEmpty())
                break;
            if (out.write(chunk) != chunk.size())
                return {ErrorKind::PathFileAccess, out.errorString(), scratch};
        }
        if (in.error() != QFileDevice::NoError)
            return {ErrorKind::PathFileAccess, in.errorString(), source};
        if (!out.flush())
            return {ErrorKind::PathFileAccess, out.errorString(), scratch};
        return OperationError::none();
    });
}

OperationError linkNew(const QString& programFolder, const QString& source, const QString& target)
{
    if (OperationError error = checkFile(programFolder, target); error.isError())
        return error;
    struct stat examined {};
    if (::lstat(native(source).constData(), &examined) != 0)
        return systemError(errno, source);
    if (!S_ISREG(examined.st_mode))
        return refused(source, QStringLiteral("not a regular file"));
    // O_NOFOLLOW and O_NONBLOCK in case the entry was exchanged in between.
    const Descriptor fd(::open(native(source).constData(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return systemError(errno, source);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
        opened.st_dev != examined.st_dev || opened.st_ino != examined.st_ino)
        return refused(source, QStringLiteral("changed while being examined"));
    if (const int injected = step(Step::Link, target))
        return systemError(injected, target);
    // Linking the open handle links exactly the file examined; link() itself
    // fails when the name is taken, so nothing is replaced.
    const QByteArray handle = "/proc/self/fd/" + QByteArray::number(fd.get());
    const int linked = ::linkat(AT_FDCWD, handle.constData(), AT_FDCWD, native(target).constData(),
                                AT_SYMLINK_FOLLOW);
    const int error = errno;
    if (linked == 0)
        return OperationError::none();
    if (error == EEXIST)
        return {ErrorKind::PathFileAccess, QStringLiteral("exists already"), target};
    return systemError(error, target);
}

OperationError removeFile(const QString& programFolder, const QString& path)
{
    if (OperationError error = checkFile(programFolder, path); error.isError())
        return error;
    return removeEntry(path);
}

OperationError createFolder(const QString& programFolder, const QString& folder)
{
    if (OperationError error = checkFolder(programFolder, folder); error.isError())
        return error;
    if (const int injected = step(Step::OpenForWriting, folder))
        return systemError(injected, folder);
    if (::mkdir(native(folder).constData(), 0777) != 0)
        return systemError(errno, folder);
    return OperationError::none();
}

OperationError removeFolder(const QString& programFolder, const QString& folder)
{
    if (OperationError error = checkFolder(programFolder, folder); error.isError())
        return error;
    if (const int injected = step(Step::Remove, folder))
        return systemError(injected, folder);
    if (::rmdir(native(folder).constData()) != 0 && errno != ENOENT)
        return systemError(errno, folder);
    return OperationError::none();
}

OperationError removeEntry(const QString& path)
{
    if (const int injected = step(Step::Remove, path))
        return systemError(injected, path);
    if (::unlink(native(path).constData()) != 0 && errno != ENOENT)
        return systemError(errno, path);
    return OperationError::none();
}

OperationError moveOver(const QString& from, const QString& to)
{
    if (const int injected = step(Step::Rename, to))
        return systemError(injected, to);
    if (::rename(native(from).constData(), native(to).constData()) != 0)
        return systemError(errno, to);
    return OperationError::none();
}

} // namespace FileGuard
