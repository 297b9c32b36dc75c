#include "ShapefileCheck.h"

#include "FileBytes.h"

namespace ShapefileCheck {

namespace {

constexpr qint64 headerSize = 100;
constexpr qint64 indexEntrySize = 8;
constexpr qint32 fileCode = 9994;
constexpr qint32 fileVersion = 1000;

qint32 bigEndian32(const uchar* p)
{
    return static_cast<qint32>((quint32(p[0]) << 24) | (quint32(p[1]) << 16) |
                               (quint32(p[2]) << 8) | quint32(p[3]));
}

qint32 littleEndian32(const uchar* p)
{
    return static_cast<qint32>((quint32(p[3]) << 24) | (quint32(p[2]) << 16) |
                               (quint32(p[1]) << 8) | quint32(p[0]));
}

Result failure(ErrorKind kind, const QString& where, const QString& detail)
{
    Result result;
    result.error = {kind, detail, where};
    return result;
}

// Checks file code, version and length word of a header against the file.
Result checkHeader(const FileBytes& file)
{
    if (file.size() < headerSize)
        return failure(
            ErrorKind::PastEndOfFile, file.path(),
            QStringLiteral("file of %1 bytes is shorter than its header").arg(file.size()));
    const qint32 code = bigEndian32(file.data());
    if (code != fileCode)
        return failure(ErrorKind::InvalidArgument, file.path(),
                       QStringLiteral("file code %1 instead of %2").arg(code).arg(fileCode));
    const qint32 version = littleEndian32(file.data() + 28);
    if (version != fileVersion)
        return failure(ErrorKind::InvalidArgument, file.path(),
                       QStringLiteral("version %1 instead of %2").arg(version).arg(fileVersion));
    const qint64 declared = qint64(bigEndian32(file.data() + 24)) * 2;
    if (declared != file.size())
        return failure(declared > file.size() ? ErrorKind::PastEndOfFile
                                              : ErrorKind::InvalidArgument,
                       file.path(),
                       QStringLiteral("header gives a length of %1 bytes, the file has %2")
                           .arg(declared)
                           .arg(file.size()));
    return {};
}

bool hasParts(int type)
{
    return type == 3 || type == 5 || type == 13 || type == 15 || type == 23 || type == 25;
}
bool isMultiPoint(int type)
{
    return type == 8 || type == 18 || type == 28;
}
bool isPoint(int type)
{
    return type == 1 || type == 11 || type == 21;
}
bool hasZ(int type)
{
    return type >= 11 && type <= 18;
}
bool hasM(int type)
{
    return type >= 21 && type <= 28;
}

// The content lengths in bytes that a record of type with that many points
// may have, after the fixed part of base bytes: Z types carry a Z range and Z
// values, and may carry M values; M types may carry M values.
QList<qint64> allowedLengths(int type, qint64 base, qint64 points)
{
    const qint64 measures = 16 + 8 * points; // range and one value per point
    if (hasZ(type))
        return {base + measures, base + 2 * measures};
    if (hasM(type))
        return {base, base + measures};
    return {base};
}

// "1 part", "5 points".
QString counted(qint64 count, const char* singular, const char* plural)
{
    return QString::number(count) + ' ' + QLatin1String(count == 1 ? singular : plural);
}

QString partsAndPoints(qint64 parts, qint64 points)
{
    return counted(parts, "part", "parts") + QStringLiteral(" and ") +
           counted(points, "point", "points");
}

// "64" or "64 or 72".
QString wordsText(const QList<qint64>& lengths)
{
    QStringList words;
    for (qint64 length : lengths)
        words << QString::number(length / 2);
    return words.join(QStringLiteral(" or "));
}

// "content length 56 words, 1 part and 5 points need 64"; "" when it fits.
QString lengthMismatch(qint64 length, const QList<qint64>& allowed, const QString& what,
                       const char* verb = "need")
{
    if (allowed.contains(length))
        return {};
    return QStringLiteral("content length %1 words, %2 %3 %4")
        .arg(length / 2)
        .arg(what, QLatin1String(verb), wordsText(allowed));
}

// Checks the counts of one record against its content length in bytes.
QString checkRecord(const uchar* content, qint64 length, int fileType)
{
    if (length < 4)
        return QStringLiteral("content length %1 words, shorter than a shape type").arg(length / 2);
    const int type = littleEndian32(content);
    if (type == 0)
        return lengthMismatch(length, {4}, QStringLiteral("a null shape"), "needs");
    if (type != fileType)
        return QStringLiteral("shape type %1 in a file of type %2").arg(type).arg(fileType);
    if (isPoint(type)) {
        // Type, X and Y; Z for point Z; the M value may be left out.
        const QList<qint64> allowed = type == 11   ? QList<qint64>{28, 36}
                                      : type == 21 ? QList<qint64>{20, 28}
                                                   : QList<qint64>{20};
        return lengthMismatch(length, allowed, QStringLiteral("its coordinates"));
    }
    if (isMultiPoint(type)) {
        if (length < 40)
            return QStringLiteral("content length %1 words, too short for a point count")
                .arg(length / 2);
        const qint64 points = littleEndian32(content + 36);
        if (points < 0)
            return counted(points, "point", "points") + QStringLiteral(" cannot form a shape");
        return lengthMismatch(length, allowedLengths(type, 40 + 16 * points, points),
                              counted(points, "point", "points"), points == 1 ? "needs" : "need");
    }
    if (length < 44)
        return QStringLiteral("content length %1 words, too short for part and point counts")
            .arg(length / 2);
    const qint64 parts = littleEndian32(content + 36);
    const qint64 points = littleEndian32(content + 40);
    if (parts < 0 || points < 0 || parts > points || (points > 0 && parts == 0))
        return partsAndPoints(parts, points) + QStringLiteral(" cannot form a shape");
    const QString mismatch =
        lengthMismatch(length, allowedLengths(type, 44 + 4 * parts + 16 * points, points),
                       partsAndPoints(parts, points));
    if (!mismatch.isEmpty())
        return mismatch;
    qint32 previous = -1;
    for (qint64 i = 0; i < parts; ++i) {
        const qint32 start = littleEndian32(content + 44 + 4 * i);
        if (start <= previous || start >= points || (i == 0 && start != 0))
            return QStringLiteral("part %1 starts at point %2 of %3").arg(i).arg(start).arg(points);
        previous = start;
    }
    return {};
}

} // namespace

bool isDrawableType(int shapeType)
{
    return shapeType == 0 || hasParts(shapeType) || isMultiPoint(shapeType) || isPoint(shapeType);
}

Result check(const FileBytes& shp, const FileBytes& shx)
{
    const QString shpPath = shp.path();
    if (Result header = checkHeader(shp); header.error.isError())
        return header;
    const int type = littleEndian32(shp.data() + 32);
    if (!isDrawableType(type))
        return failure(ErrorKind::InvalidArgument, shpPath,
                       QStringLiteral("shape type %1 is not supported").arg(type));
    if (Result header = checkHeader(shx); header.error.isError())
        return header;
    const int indexType = littleEndian32(shx.data() + 32);
    if (indexType != type)
        return failure(
            ErrorKind::InvalidArgument, shx.path(),
            QStringLiteral("shape type %1, the main file has %2").arg(indexType).arg(type));
    const qint64 entryBytes = shx.size() - headerSize;
    if (entryBytes % indexEntrySize != 0)
        return failure(ErrorKind::InvalidArgument, shx.path(),
                       QStringLiteral("%1 bytes of entries are not a whole number of %2-byte "
                                      "entries")
                           .arg(entryBytes)
                           .arg(indexEntrySize));

    const qint64 shpLength = shp.size();
    Result result;
    result.shapeType = type;
    result.recordCount = int(entryBytes / indexEntrySize);
    for (int i = 0; i < result.recordCount; ++i) {
        const int number = i + 1;
        const uchar* entry = shx.data() + headerSize + indexEntrySize * qint64(i);
        const qint64 offset = qint64(bigEndian32(entry)) * 2;
        const qint64 indexLength = qint64(bigEndian32(entry + 4)) * 2;
        if (offset < headerSize || offset + 8 > shpLength)
            return failure(ErrorKind::PastEndOfFile, shpPath,
                           QStringLiteral("record %1: the index places it at byte %2, outside "
                                          "the %3 bytes of the file")
                               .arg(number)
                               .arg(offset)
                               .arg(shpLength));
        const qint64 ownLength = qint64(bigEndian32(shp.data() + offset + 4)) * 2;
        if (ownLength < 0 || offset + 8 + ownLength > shpLength)
            return failure(ErrorKind::PastEndOfFile, shpPath,
                           QStringLiteral("record %1: content length %2 words runs past the "
                                          "end of the file")
                               .arg(number)
                               .arg(ownLength / 2));
        if (ownLength != indexLength)
            return failure(ErrorKind::InvalidArgument, shpPath,
                           QStringLiteral("record %1: content length %2 words, the index "
                                          "gives %3")
                               .arg(number)
                               .arg(ownLength / 2)
                               .arg(indexLength / 2));
        const QString bad = checkRecord(shp.data() + offset + 8, ownLength, type);
        if (!bad.isEmpty())
            return failure(ErrorKind::InvalidArgument, shpPath,
                           QStringLiteral("record %1: %2").arg(number).arg(bad));
    }
    return result;
}

} // namespace ShapefileCheck
