#pragma once

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QSqlDatabase>
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

// Shoelace area in m², positive for counter-clockwise rings.
double signedArea(const QList<QPointF>& ring);
double perimeter(const QList<QPointF>& ring); // ring given closed

// Items 1 to 5 of a description file read as a comma-separated text: in a
// file without commas and double quotes, line n without its leading blanks.
QStringList descriptionItems(const QByteArray& bytes);
// Value of an item: characters from the 18th on, leading number with ".".
double itemValue(const QString& item);

// Relative paths of every file below folder, sorted, database left out.
QStringList filesBelow(const QString& folder);
// All rows of a table as text, one line per row, sorted.
QStringList tableRows(const QString& programFolder, const QString& table);

} // namespace DemoFolderReader
