#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

// The names of the regular files of one folder (links to regular files
// included, special files left out), listed once, for many look-ups that
// ignore case. Opening a folder of thousands of plot files resolves each
// companion file here instead of listing the folder again per file.
class FolderListing {
public:
    explicit FolderListing(const QString& folder);

    bool exists() const { return m_exists; }
    QString folder() const { return m_folder; }

    // Names of the files whose name ends with suffix ignoring case (".shp"),
    // in no particular order.
    QStringList filesWithSuffix(const QString& suffix) const;

    // Path of the file named name ignoring case; an exact match wins. Empty
    // when the folder holds no such file.
    QString find(const QString& name) const;

    // All names, in code unit order.
    const QStringList& files() const { return m_files; }
    // Whether the file of that exact name is a link to a regular file.
    bool isLink(const QString& name) const { return m_links.contains(name); }

private:
    QString m_folder;
    bool m_exists = false;
    QStringList m_files;
    QSet<QString> m_exact;
    QSet<QString> m_links;
    mutable QHash<QString, QString> m_folded; // case-folded name -> name on disk, made on demand
};
