#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <shapefil.h>

#include <memory>

using ShpHandle = std::unique_ptr<SHPInfo, decltype(&SHPClose)>;
using DbfHandle = std::unique_ptr<DBFInfo, decltype(&DBFClose)>;
using ShpObjectHandle = std::unique_ptr<SHPObject, decltype(&SHPDestroyObject)>;

// shapelib I/O hooks for the lifetime of the object:
// - FOpen opens the files registered with addKnownFile() whatever case
//   shapelib asks for (it asks for "x.shp", then "x.SHP"), and resolves any
//   other name for reading (the .shx, the .dbf) ignoring case;
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

    // A file already found on disk; a request for its path in any case opens it.
    void addKnownFile(const QString& path);

    const QStringList& errors() const { return m_errors; }
    QString errorText() const { return m_errors.join(QStringLiteral("; ")); }

private:
    static SAFile openHook(const char* fileName, const char* access);
    static void errorHook(const char* message);

    SAHooks m_hooks{};
    QHash<QString, QString> m_known; // case-folded path -> path on disk
    QStringList m_errors;
    ShapelibSession* m_previous = nullptr;
};
