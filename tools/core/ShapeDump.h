#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>

// Shapefile dump: the listing of a shapefile's main file (".shp")
// and its index file (".shx") that the window Form1 shows in lst1 and the
// command "shpdump" prints. Only the file headers, the first record (which must
// be a polygon with one part) with its points and the first index entry are
// read, byte by byte, at the positions of the published ESRI layout. A file
// the map reader accepts is listed whole (a file without records, all parts
// of a polygon); one it refuses is refused with the reader's reason.
namespace ShapeDump {

// Reverselong: x holds a 32-bit integer as read from the file in little-endian
// order although it was stored big-endian. Returns its real value as an
// unsigned number from 0 to 4294967295. The argument is taken by reference and
// left holding Int(u / 16777216), u being the unsigned reading of x; callers
// that need x afterwards pass a copy.
double Reverselong(double& x);
// The same for a value or constant: the side effect goes to a copy.
double Reverselong(const double& x);

// The number-to-text conversion of every listed value, after classic BASIC
// Str$: one blank before a number that is not negative, "-" before a negative
// one; "." as decimal sign whatever the locale; whole numbers without decimals;
// up to 15 significant digits. Exponent form when the decimal exponent of the
// rounded value is below -4 or 15 and above: mantissa, "E", sign and at least
// two exponent digits (" 1E+20", " 1.5E-07", "-2.5E+15"). Unlike Str$, a
// leading zero is kept (" 0.5", not " .5"); -0 is " 0"; values that are no
// number are " NAN", " INF", "-INF".
QString basicStr(double value);

// What is wrong with a file, if anything. Each kind has its text in the
// catalogue (ShapeDumpTextKeys.h) and an English template (problemTemplate).
enum class Problem {
    None,
    FileMissing,        // the main file does not exist
    FileUnreadable,     // the main or index file exists but cannot be opened or read
    FileTooShort,       // the main or index file ends inside a structure read
    NotPolygon,         // the first record's shape type is not 5 (polygon)
    NotSinglePart,      // the first record is a polygon with other than one part
    PointCountTooLarge, // the first record gives more points than the file holds
    IndexFileMissing,   // no ".shx" beside the main file
    NotShapefile,       // the main or index file does not start with the file code 9994
    MapReaderRefuses,   // listed, but the map reader refuses the file (%2: its reason)
};

struct Result {
    // The listing, one value per line, as far as it could be read. The
    // problem line is not part of it: the command line and the window each
    // add their own (English, catalogue).
    QStringList lines;
    bool ok = false;
    Problem problem = Problem::None;
    // Kind (53 missing, 70/75 unreadable, 3001 not a regular file, 62 too short,
    // 5 wrong record), English detail and the file concerned (where). Only set
    // when !ok.
    OperationError error;
    // The values for %2, %3 ... of the problem text; %1 is error.where.
    QStringList arguments;
};

// Window load of Form1: lists shpPath and the index file beside it. A name
// that does not exist as given is looked for ignoring case in its folder. A
// file whose first word is not the file code 9994 is no shapefile: nothing of
// it is listed. The listing stops at the first problem, after the last value
// that could be read
// (a record that is no polygon: after its shape type; a polygon with other
// than one part: after its point count; too many points: after the points the
// file holds). Reads only the bytes it lists (points in blocks), so a damaged
// count neither loops long nor allocates much.
Result dumpShapefile(const QString& shpPath);

// The index file of a main file: same folder and base name (the name up to its
// last "."), extension ".shx", found ignoring case (FileResolver::resolve).
QString indexFilePath(const QString& shpPath);

// The English text of a problem with placeholders %1 (file) and %2 ...
// (Result::arguments); "" for Problem::None. The catalogue's English column
// holds the same texts.
QString problemTemplate(Problem problem);

// The English text of the window's message when the list cannot be printed:
// %1 is the printer's name or the PDF file.
QString printFailedTemplate();

// Fills %1 ... %9 of a template in one pass (a file name holding "%2" stays
// as it is): %1 = result.error.where, %2 ... = result.arguments.
QString fillProblemText(const QString& textTemplate, const Result& result);

// The English problem line of a result; "" when ok.
QString problemLine(const Result& result);

} // namespace ShapeDump
