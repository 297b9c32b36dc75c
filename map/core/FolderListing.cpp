#include "FolderListing.h"

#include <QDir>
#include <QFileInfo>

FolderListing::FolderListing(const QString& folder) : m_folder(folder)
{
    const QDir dir(folder);
    m_exists = !folder.isEmpty() && dir.exists();
    if (!m_exists)
        return;
    // Sorted so that, of names differing only in case, the same one always wins.
    // Only regular files (or links to one) count: a FIFO or device named like
    // a shapefile would block or start something when opened.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    m_files.reserve(entries.size());
    for (const QFileInfo& entry : entries) {
        if (entry.isFile())
            m_files.append(entry.fileName());
    }
    m_exact.reserve(m_files.size());
    m_folded.reserve(m_files.size());
    for (const QString& name : std::as_const(m_files)) {
        m_exact.insert(name);
        m_folded.insert(name.toCaseFolded(), name); // later duplicates replace earlier ones
    }
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
    const auto it = m_folded.constFind(name.toCaseFolded());
    return it == m_folded.constEnd() ? QString() : m_folder + '/' + *it;
}
