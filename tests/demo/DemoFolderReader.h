#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

// Reads a demo folder back the way a test checks it, independently of the
// code that wrote it.
namespace DemoFolderReader {

struct Shape {
    int type = -1;
    int records = 0;
    int parts = 0;
    QList<QPointF> ring; // vertices of the first record as stored
};
// Opens path (".SHP") with shapelib; type -1 when it cannot be opened.
Shape readShape(const QString& path);

// Relative paths of every file below folder, sorted, database left out.
QStringList filesBelow(const QString& folder);
// All rows of a table of the project database as text, one line per row, sorted.
QStringList tableRows(const QString& programFolder, const QString& table);

} // namespace DemoFolderReader
