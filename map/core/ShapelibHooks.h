#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <shapefil.h>

#include <memory>
#include <vector>

using ShpHandle = std::unique_ptr<SHPInfo, decltype(&SHPClose)>;
using DbfHandle = std::unique_ptr<DBFInfo, decltype(&DBFClose)>;
using ShpObjectHandle = std::unique_ptr<SHPObject, decltype(&SHPDestroyObject)>;

// shapelib hooks for reading, valid for the lifetime of the object:
// - FOpen serves the contents registered with addFile() whatever case
//   shapelib asks for (it asks for "x.shp", then "x.SHP"); any other file
//   (the .dbf) is found ignoring case and read into memory whole, when it is
//   a regular file (a special file is refused and named in errors()). Every
//   read comes from memory, so no file stays open and nothing is read twice.
//   Opening for writing fails.
// - Error collects shapelib's messages in errors() instead of printing them.
// SAHooks carry no user data, so the session registers itself for the current
// thread; sessions nest, the innermost one receives the calls.
class ShapelibSession {
public:
    ShapelibSession();
    ~ShapelibSession();
    ShapelibSession(const ShapelibSession&) = delete;
    ShapelibSession& operator=(const ShapelibSession&) = delete;

    SAHooks* hooks() { return &m_hooks; }

    // Content of path, already in memory; must outlive the session's use.
    void addFile(const QString& path, const QByteArray& content);

    const QStringList& errors() const { return m_errors; }
    QString errorText() const { return m_errors.join(QStringLiteral("; ")); }

    struct MemoryFile; // an open file as shapelib sees it

private:
    static SAFile openHook(const char* fileName, const char* access);
    static void errorHook(const char* message);

    SAHooks m_hooks{};
    QHash<QString, QByteArray> m_files; // case-folded path -> content
    std::vector<std::unique_ptr<MemoryFile>> m_open;
    QStringList m_errors;
    ShapelibSession* m_previous = nullptr;
};
