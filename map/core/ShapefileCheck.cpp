#include "ShapefileCheck.h"

#include "FileBytes.h"

#include <algorithm>

namespace ShapefileCheck {

namespace {

constexpr qint64 headerSize = 100;
constexpr qint32 fileCode = 9994;

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

// Checks file code and length word of a header; *length is the length the
// header gives, which lies within the file.
Result checkHeader(const FileBytes& file, qint64* length)
{
    if (file.size() < headerSize)
        return failure(
            ErrorKind::PastEndOfFile, file.path(),
            QStringLiteral("file of %1 bytes is shorter than its header").arg(file.size()));
    const qint32 code = bigEndian32(file.data());
    if (code != fileCode)
        return failure(ErrorKind::InvalidArgument, file.path(),
                       QStringLiteral("file code %1 instead of %2").arg(code).arg(fileCode));
    const qint64 declared = qint64(bigEndian32(file.data() + 24)) * 2;
    if (declared < headerSize)
        return failure(ErrorKind::InvalidArgument, file.path(),
                       QStringLiteral("file length %1 bytes in header").arg(declared));
    if (declared > file.size())
        return failure(
            ErrorKind::PastEndOfFile, file.path(),
            QStringLiteral("header gives %1 bytes, file has %2").arg(declared).arg(file.size()));
    *length = declared;
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

// Checks the counts of one record against its content length in bytes.
QString checkRecord(const uchar* content, qint64 length, int fileType)
{
    if (length < 4)
        return QStringLiteral("record shorter than its shape type");
    const int type = littleEndian32(content);
    if (type == 0)
        return {};
    if (type != fileType)
        return QStringLiteral("shape type %1 in a file of type %2").arg(type).arg(fileType);
    if (isPoint(type))
        return length < 20 ? QStringLiteral("point record of %1 bytes").arg(length) : QString();
    if (isMultiPoint(type)) {
        if (length < 40)
            return QStringLiteral("multipoint record of %1 bytes").arg(length);
        const qint64 points = littleEndian32(content + 36);
        if (points < 0 || 40 + 16 * points > length)
            return QStringLiteral("%1 points do not fit %2 bytes").arg(points).arg(length);
        return {};
    }
    if (length < 44)
        return QStringLiteral("record of %1 bytes").arg(length);
    const qint64 parts = littleEndian32(content + 36);
    const qint64 points = littleEndian32(content + 40);
    if (parts < 0 || points < 0 || parts > points || (points > 0 && parts == 0) ||
        44 + 4 * parts + 16 * points > length)
        return QStringLiteral("%1 parts and %2 points do not fit %3 bytes")
            .arg(parts)
            .arg(points)
            .arg(length);
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
    qint64 shpLength = 0;
    if (Result header = checkHeader(shp, &shpLength); header.error.isError())
        return header;
    const int type = littleEndian32(shp.data() + 32);
    if (!isDrawableType(type))
        return failure(ErrorKind::InvalidArgument, shpPath,
                       QStringLiteral("shape type %1 is not supported").arg(type));
    qint64 shxLength = 0;
    if (Result header = checkHeader(shx, &shxLength); header.error.isError())
        return header;

    Result result;
    result.shapeType = type;
    result.recordCount = int((shxLength - headerSize) / 8);
    for (int i = 0; i < result.recordCount; ++i) {
        const uchar* entry = shx.data() + headerSize + 8 * qint64(i);
        const qint64 offset = qint64(bigEndian32(entry)) * 2;
        const qint64 indexLength = qint64(bigEndian32(entry + 4)) * 2;
        if (offset < headerSize || indexLength < 0 || offset + 8 + indexLength > shpLength)
            return failure(ErrorKind::PastEndOfFile, shpPath,
                           QStringLiteral("record %1 at byte %2 (%3 bytes) lies beyond the end")
                               .arg(i + 1)
                               .arg(offset)
                               .arg(indexLength));
        const qint64 ownLength = qint64(bigEndian32(shp.data() + offset + 4)) * 2;
        if (ownLength < 0 || offset + 8 + ownLength > shpLength)
            return failure(ErrorKind::PastEndOfFile, shpPath,
                           QStringLiteral("record %1 claims %2 bytes beyond the end")
                               .arg(i + 1)
                               .arg(ownLength));
        const QString bad =
            checkRecord(shp.data() + offset + 8, std::min(indexLength, ownLength), type);
        if (!bad.isEmpty())
            return failure(ErrorKind::InvalidArgument, shpPath,
                           QStringLiteral("record %1: %2").arg(i + 1).arg(bad));
    }
    return result;
}

} // namespace ShapefileCheck
