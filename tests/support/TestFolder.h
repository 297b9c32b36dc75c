#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A fresh program folder in a temporary directory, removed after the test.
// Every entry below folder as "relative path, content hash, time", sorted:
// what "left untouched" means.
QStringList folderSnapshot(const QString& folder);

class TestFolder {
public:
    TestFolder();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString file(const QString& relative) const { return m_dir.path() + '/' + relative; }

    // Creates a sub-folder (and its parents); returns its path.
    QString makeFolder(const QString& relative) const;
    // Writes bytes to a file, creating its folder; returns the file's path.
    QString writeFile(const QString& relative, const QByteArray& content) const;
    QByteArray readFile(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
