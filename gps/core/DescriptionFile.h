#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>
#include <optional>

// The description file a handheld writes beside each measurement (base name
// + ".DES"). It is read item by item as a comma-separated text: an item ends
// at a comma or at the end of its line, leading blanks are skipped, and an
// item that begins with a double quote runs to the closing quote. Item 1 is a
// title; items 2, 3 and 4 hold a 17-character label followed by the area in
// hectares, the perimeter in metres and the largest DOP of the measurement.
namespace DescriptionFile {

constexpr int labelLength = 17;
constexpr int itemsUsed = 4;

struct Values {
    // A value whose item is shorter than the label is missing.
    std::optional<double> area;
    std::optional<double> perimeter;
    std::optional<double> maxDop;
};

struct Read {
    Values values;
    // FileNotFound (where = the file), Refused (a link or special file),
    // PastEndOfFile (empty or fewer than four items), PermissionDenied,
    // InvalidArgument with detail lineTooLong (the items run past the
    // reading limit) or numberTooLarge (a value no double holds).
    OperationError error;
};

inline const QString lineTooLong = QStringLiteral("line too long");
inline const QString numberTooLarge = QStringLiteral("number too large");

// Text of a file written by another program: a byte-order mark (UTF-8 or
// UTF-16) decides; otherwise valid UTF-8 is read as UTF-8 and anything else
// as Windows-1252, so a label of 17 characters stays 17 characters.
QString decode(const QByteArray& bytes);

// The first count items of text (fewer when the text ends earlier).
QStringList items(const QString& text, int count);

// The number at the start of text as the handheld's programs wrote it:
// leading blanks skipped, blanks inside ignored, "." as the decimal sign
// whatever the locale, stopping at the first character that cannot continue
// the number. Text without a leading number gives 0 ("nan" and "inf" are
// no numbers); a number too large for a double gives nothing.
std::optional<double> leadingNumber(QStringView text);

// The value of item 2, 3 or 4: the text after the label; nothing when the
// item is shorter than the label.
std::optional<double> itemValue(const QString& item);

// Reads items 2 to 4 of the file at path. A value is never taken as 0 for
// want of being read.
Read read(const QString& path);

} // namespace DescriptionFile
