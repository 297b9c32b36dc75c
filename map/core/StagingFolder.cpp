#include "StagingFolder.h"

#include "FileGuard.h"
#include "FileResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace StagingFolder {

namespace {
// The program folder the staging folder lies in: the checks start there.
QString programFolderOf(const QString& folder)
{
    return QFileInfo(QDir::cleanPath(folder)).absolutePath();
}

// The entries of the staging folder by case-folded name, kept from one
// staged file to the next while the folder is unchanged since it was last
// looked at (same folder, same modification time), so that staging thousands
// of plots lists the folder once instead of once per file.
class StagedNames {
public:
    // The entry named name ignoring case (an exact match wins), as
    // FileResolver::resolve finds it; *listed tells whether it is there.
    QString resolve(const QString& folder, const QString& name, bool* listed)
    {
        if (!isCurrent(folder))
            reload(folder);
        *listed = m_folder != folder || m_exact.contains(name);
        if (!m_exact.contains(name)) {
            const auto found = m_folded.constFind(name.toCaseFolded());
            *listed = *listed || found != m_folded.constEnd();
            if (found != m_folded.constEnd())
                return folder + '/' + *found;
        }
        return folder + '/' + name;
    }

    // Records that this code created or deleted the entry name. The folder's
    // new time is taken at once, so a change by another program in the same
    // instant would go unseen; the staging folder belongs to this program.
    void changed(const QString& folder, const QString& name, bool exists)
    {
        if (m_folder != folder || m_exact.contains(name) == exists)
            return; // nothing known, or nothing changed
        m_folder.clear();
        const QString folded = name.toCaseFolded();
        if (exists) {
            m_exact.insert(name);
            if (!m_folded.contains(folded))
                m_folded.insert(folded, name);
        } else if (m_exact.remove(name) && m_folded.value(folded) == name) {
            return; // another entry may match folded: listed again next time
        }
        if (stamp(folder, &m_stamp))
            m_folder = folder;
    }

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        qint64 modifiedNs = -1;
        bool operator==(const Stamp&) const = default;
    };
    static bool stamp(const QString& folder, Stamp* result)
    {
        struct stat st {};
        if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
            return false;
        *result = {st.st_dev, st.st_ino,
                   qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
        return true;
    }
    bool isCurrent(const QString& folder) const
    {
        Stamp now;
        return m_folder == folder && stamp(folder, &now) && now == m_stamp;
    }
    void reload(const QString& folder)
    {
        m_folder.clear();
        m_exact.clear();
        m_folded.clear();
        if (!stamp(folder, &m_stamp))
            return;
        const QStringList entries = QDir(folder).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& entry : entries) {
            m_exact.insert(entry);
            const QString folded = entry.toCaseFolded();
            if (!m_folded.contains(folded)) // the first in name order counts
                m_folded.insert(folded, entry);
        }
        m_folder = folder;
    }

    QString m_folder; // empty: nothing is known
    Stamp m_stamp;
    QSet<QString> m_exact;
    QHash<QString, QString> m_folded;
};

StagedNames& stagedNames()
{
    static StagedNames names;
    return names;
}

// A new name of source's file where the file system allows, else a copy.
// Nothing ever writes into a staged file: staged names are only deleted
// (prepare, copyShapefile) and created anew, and the map reads them through
// FileBytes and ShapelibSession, which open nothing for writing. So a staged
// hard link never lets a change reach the farm's file it shares.
OperationError stage(const QString& folder, const QString& source, const QString& target)
{
    if (!FileGuard::linkNew(folder, source, target).isError())
        return OperationError::none();
    // Another file system, no link support, or a source that is a link:
    // copied, with the copy's own checks deciding what is refused.
    return FileGuard::copyNew(folder, source, target);
}
} // namespace

QString name()
{
    return QStringLiteral("temp");
}

QString path(const QString& programFolder)
{
    return FileResolver::resolve(programFolder, name());
}

namespace {
void removeScratch(const QString& folder, const QString& scratch)
{
    const QDir dir(scratch);
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        FileGuard::removeEntry(dir.filePath(entry));
    FileGuard::removeFolder(folder, scratch);
}
} // namespace

OperationError prepare(const QString& folder)
{
    const OperationError refused = FileGuard::makeFolder(programFolderOf(folder), folder);
    if (refused.isError())
        return refused;
    OperationError first;
    const QDir dir(folder);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        const QString file = dir.filePath(entry);
        if (FileGuard::entryAt(file) == FileGuard::Entry::Folder) {
            // The scratch folder of a copy cut short (FileGuard::createNew).
            if (entry.startsWith(QLatin1String(".new-")))
                removeScratch(folder, file);
            continue;
        }
        // A link itself goes, never what it points to.
        if (const OperationError error = FileGuard::removeEntry(file);
            error.isError() && !first.isError())
            first = error;
    }
    return first;
}

QList<OperationError> copyShapefile(const QString& sourceFolder, const QString& base,
                                    const QString& folder)
{
    QList<OperationError> problems;
    const OperationError refused = FileGuard::checkFolder(programFolderOf(folder), folder);
    if (refused.isError())
        return {refused};
    for (const char* ext : {".SHP", ".SHX", ".DBF"}) {
        const QString name = base.trimmed() + QLatin1String(ext);
        const QString source = FileResolver::resolve(sourceFolder, name);
        if (FileGuard::entryAt(source) == FileGuard::Entry::Missing)
            continue;
        StagedNames& staged = stagedNames();
        bool listed = true;
        const QString target = staged.resolve(folder, name, &listed);
        OperationError error;
        if (listed) {
            error = FileGuard::removeFile(folder, target);
            staged.changed(folder, QFileInfo(target).fileName(), false);
        }
        if (!error.isError())
            error = stage(folder, source, target);
        staged.changed(folder, QFileInfo(target).fileName(), !error.isError());
        if (error.isError())
            problems.append(error);
    }
    return problems;
}

OperationError stageFile(const QString& programFolder, const QString& source, const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
    if (OperationError refused = FileGuard::checkFolder(programFolder, folder); refused.isError())
        return refused;
    if (FileGuard::entryAt(target) != FileGuard::Entry::Missing) {
        if (OperationError error = FileGuard::removeFile(folder, target); error.isError())
            return error;
    }
    return stage(folder, source, target);
}

} // namespace StagingFolder
