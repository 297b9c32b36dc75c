#pragma once

#include "OperationError.h"

#include <QByteArray>
#include <QString>

// The description file a handheld writes beside each measurement: a title
// line, then one line per value, each a label padded to 17 characters followed
// by the value with "." as decimal sign. Lines hold no commas or double quotes,
// so a comma-separated read gives line n as item n.
namespace DescriptionFileWriter {

constexpr int labelWidth = 17;

struct Description {
    QString title;              // item 1; commas and double quotes are dropped
    double areaHa = 0;          // item 2, 4 decimals
    double perimeterMetres = 0; // item 3, 2 decimals
    double maxDop = 0;          // item 4, 1 decimal
    int pointCount = 0;         // item 5
};

// The file's bytes: ASCII lines ending in CR LF.
QByteArray format(const Description& description);

// Writes folder/fileName; refuses (PathFileAccess) when the file exists
// already in any case.
OperationError write(const QString& folder, const QString& fileName,
                     const Description& description);

} // namespace DescriptionFileWriter
