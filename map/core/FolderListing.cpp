#include "FolderListing.h"

#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace {
// Whether the entry name of the open folder dir is a regular file or a link
// to one; *link tells a link. The type the listing gives spares a status
// look-up for all but links and file systems that give no type.
bool isRegularFile(DIR* dir, const dirent* entry, bool* link)
{
    *link = entry->d_type == DT_LNK;
    if (entry->d_type == DT_REG)
        return true;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return false;
    struct stat st {};
    if (entry->d_type == DT_UNKNOWN) {
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        if (!S_ISLNK(st.st_mode))
            return S_ISREG(st.st_mode);
        *link = true;
    }
    return ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}
} // namespace

FolderListing::FolderListing(const QString& folder) : m_folder(folder)
{
    if (folder.isEmpty())
        return;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    m_exists = dir != nullptr;
    if (!dir)
        return;
    // Only regular files (or links to one) count: a FIFO or device named like
    // a shapefile would block or start something when opened.
    while (const dirent* entry = ::readdir(dir)) {
        bool link = false;
        if (!isRegularFile(dir, entry, &link))
            continue;
        m_files.append(QFile::decodeName(entry->d_name));
        if (link)
            m_links.insert(m_files.constLast());
    }
    ::closedir(dir);
    // Sorted so that, of names differing only in case, the same one always wins.
    m_files.sort();
    m_exact.reserve(m_files.size());
    for (const QString& name : std::as_const(m_files))
        m_exact.insert(name);
}

QStringList FolderListing::filesWithSuffix(const QString& suffix) const
{
    QStringList found;
    for (const QString& name : m_files) {
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            found.append(name);
    }
    return found;
}

QString FolderListing::find(const QString& name) const
{
    if (m_exact.contains(name))
        return m_folder + '/' + name;
    if (m_folded.isEmpty()) { // made at the first name not found exactly
        m_folded.reserve(m_files.size());
        for (const QString& file : std::as_const(m_files))
            m_folded.insert(file.toCaseFolded(), file); // later duplicates replace earlier ones
    }
    const auto it = m_folded.constFind(name.toCaseFolded());
    return it == m_folded.constEnd() ? QString() : m_folder + '/' + *it;
}
