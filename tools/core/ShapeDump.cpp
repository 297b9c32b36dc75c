#include "ShapeDump.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "Placeholders.h"
#include "ShapefileReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <optional>

namespace ShapeDump {

double Reverselong(double& x)
{
    if (x < 0)
        x += 4294967296.0;
    const double b0 = x - 256 * std::floor(x / 256);
    x = std::floor(x / 256);
    const double b1 = x - 256 * std::floor(x / 256);
    x = std::floor(x / 256);
    const double b2 = x - 256 * std::floor(x / 256);
    x = std::floor(x / 256);
    const double b3 = x - 256 * std::floor(x / 256);
    return ((b0 * 256 + b1) * 256 + b2) * 256 + b3;
}

double Reverselong(const double& x)
{
    double copy = x;
    return Reverselong(copy);
}

QString basicStr(double value)
{
    if (value == 0) // also -0
        return QStringLiteral(" 0");
    const QString text = QString::number(value, 'G', 15);
    return text.startsWith('-') ? text : QLatin1Char(' ') + text;
}

namespace {

constexpr qint64 headerSize = 100;
constexpr qint64 recordHeaderPos = 100;
constexpr qint64 polygonStartPos = 108;
constexpr qint64 pointSize = 16;
constexpr qint64 indexRecordPos = 100;
constexpr qint64 pointsPerBlock = 4096;
constexpr double shapefileCode = 9994;
const QString fiveBlanks = QStringLiteral("     ");

// Reads little-endian fields at fixed positions of one open file. The first
// field that does not fit into the file, or cannot be read, records the
// problem in the result; every later read then fails at once.
class FieldReader {
public:
    FieldReader(QFile& file, const QString& path, Result& result)
        : m_file(file), m_path(path), m_size(file.size()), m_result(result)
    {
    }

    qint64 size() const { return m_size; }

    // Reads size bytes at pos into buffer; false (problem recorded) when
    // they are not all in the file.
    bool bytes(qint64 pos, qint64 count, char* buffer, const char* what)
    {
        if (m_result.problem != Problem::None)
            return false;
        if (pos + count > m_size) {
            m_result.problem = Problem::FileTooShort;
            m_result.error = {ErrorKind::PastEndOfFile,
                              QStringLiteral("ends inside the ") + QLatin1String(what) +
                                  QStringLiteral(" at byte ") + QString::number(pos),
                              m_path};
            m_result.arguments = {QString::number(pos + count), QString::number(m_size)};
            return false;
        }
        if (!m_file.seek(pos) || m_file.read(buffer, count) != count) {
            m_result.problem = Problem::FileUnreadable;
            m_result.error = {ErrorKind::PathFileAccess, m_file.errorString(), m_path};
            m_result.arguments.clear();
            return false;
        }
        return true;
    }

    std::optional<qint32> int32(qint64 pos, const char* what)
    {
        char buffer[4];
        if (!bytes(pos, 4, buffer, what))
            return std::nullopt;
        return qFromLittleEndian<qint32>(buffer);
    }

    std::optional<double> float64(qint64 pos, const char* what)
    {
        char buffer[8];
        if (!bytes(pos, 8, buffer, what))
            return std::nullopt;
        return qFromLittleEndian<double>(buffer);
    }

    // A big-endian word: read little-endian, then Reverselong.
    std::optional<double> swapped(qint64 pos, const char* what)
    {
        const std::optional<qint32> raw = int32(pos, what);
        if (!raw)
            return std::nullopt;
        return Reverselong(static_cast<double>(*raw));
    }

private:
    QFile& m_file;
    QString m_path;
    qint64 m_size;
    Result& m_result;
};

void setProblem(Result& result, Problem problem, ErrorKind kind, const QString& detail,
                const QString& where, const QStringList& arguments = {})
{
    result.problem = problem;
    result.error = {kind, detail, where};
    result.arguments = arguments;
}

// Steps 2 and 7: the file header, "title" first, an empty line last. A file
// that holds a file code and not 9994 is refused before anything is listed: its
// other header values would be numbers without meaning. A file too short for
// the file code is listed as far as it goes.
bool listFileHeader(FieldReader& reader, const QString& path, const QString& title, Result& result)
{
    QStringList& lines = result.lines;
    if (reader.size() >= 4) {
        const auto fileCode = reader.swapped(0, "file header");
        if (!fileCode)
            return false;
        if (*fileCode != shapefileCode) {
            setProblem(result, Problem::NotShapefile, ErrorKind::InvalidArgument,
                       QStringLiteral("file code %1, expected %2")
                           .arg(qint64(*fileCode))
                           .arg(shapefileCode),
                       path, {QString::number(qint64(*fileCode))});
            return false;
        }
    }
    lines << title;
    const auto fileLength = reader.swapped(24, "file header");
    if (!fileLength)
        return false;
    lines << basicStr(*fileLength);
    const auto fileCode = reader.swapped(0, "file header");
    if (!fileCode)
        return false;
    lines << basicStr(*fileCode);
    for (qint64 pos : {28, 32}) { // version, shape type
        const auto value = reader.int32(pos, "file header");
        if (!value)
            return false;
        lines << basicStr(*value);
    }
    for (qint64 pos = 36; pos < headerSize; pos += 8) { // X, Y, Z, M ranges
        const auto value = reader.float64(pos, "file header");
        if (!value)
            return false;
        lines << basicStr(*value);
    }
    lines << QString();
    return true;
}

// Opens an existing regular file for reading or records why it cannot be (a
// FIFO or device is refused without waiting).
bool openFile(QFile& file, const QString& path, Result& result)
{
    const OperationError error = FileGuard::openForReading(file, path);
    if (error.isError()) {
        const ErrorKind kind =
            error.kind == ErrorKind::FileNotFound ? ErrorKind::PathFileAccess : error.kind;
        setProblem(result, Problem::FileUnreadable, kind, error.detail, path);
        return false;
    }
    return true;
}

QString existingName(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    const QFileInfo info(path);
    return FileResolver::resolve(info.path(), info.fileName());
}

// Steps 1 to 5: the main file. drawable: the map reader accepts the file,
// so a file without records or a polygon of several parts is listed whole.
bool listMainFile(const QString& path, Result& result, bool drawable)
{
    QStringList& lines = result.lines;
    QFile file(path);
    if (!openFile(file, path, result))
        return false;
    FieldReader reader(file, path, result);

    if (!listFileHeader(reader, path, QStringLiteral("----- Header -----"), result))
        return false;
    if (drawable && reader.size() == headerSize)
        return true; // no record to list

    for (qint64 pos : {recordHeaderPos, recordHeaderPos + 4}) { // record number, content length
        const auto value = reader.swapped(pos, "record header");
        if (!value)
            return false;
        lines << basicStr(*value);
    }
    lines << QString();

    lines << QStringLiteral("----- Polygon 1 -----");
    const auto shapeType = reader.int32(polygonStartPos, "polygon record");
    if (!shapeType)
        return false;
    lines << basicStr(*shapeType);
    if (*shapeType != 5) {
        setProblem(result, Problem::NotPolygon, ErrorKind::InvalidArgument,
                   QStringLiteral("shape type %1, expected 5").arg(*shapeType), path,
                   {QString::number(*shapeType)});
        return false;
    }
    for (qint64 pos = polygonStartPos + 4; pos < polygonStartPos + 36; pos += 8) { // box
        const auto value = reader.float64(pos, "polygon record");
        if (!value)
            return false;
        lines << basicStr(*value);
    }
    const auto partCount = reader.int32(polygonStartPos + 36, "polygon record");
    if (!partCount)
        return false;
    lines << basicStr(*partCount);
    const auto pointCount = reader.int32(polygonStartPos + 40, "polygon record");
    if (!pointCount)
        return false;
    lines << basicStr(*pointCount);
    // The point positions hold only for one part: check before reading the
    // part array, whose length depends on the part count.
    if (*partCount != 1 && !(drawable && *partCount > 1)) {
        setProblem(result, Problem::NotSinglePart, ErrorKind::InvalidArgument,
                   QStringLiteral("%1 parts, expected 1").arg(*partCount), path,
                   {QString::number(*partCount)});
        return false;
    }
    // The map reader checked the part count against the record's length.
    for (qint32 part = 0; part < *partCount; ++part) {
        const auto firstIndex = reader.int32(polygonStartPos + 44 + 4 * part, "polygon record");
        if (!firstIndex)
            return false;
        lines << basicStr(*firstIndex);
    }
    lines << QString();
    const qint64 firstPointPos = polygonStartPos + 44 + 4 * qint64(*partCount);

    lines << QStringLiteral("----- Punkte -----");
    const qint64 pointsHeld = std::max<qint64>(0, (reader.size() - firstPointPos) / pointSize);
    const qint64 pointsListed = std::clamp<qint64>(*pointCount, 0, pointsHeld);
    QByteArray block;
    for (qint64 first = 0; first < pointsListed; first += pointsPerBlock) {
        const qint64 count = std::min(pointsPerBlock, pointsListed - first);
        block.resize(count * pointSize);
        if (!reader.bytes(firstPointPos + first * pointSize, count * pointSize, block.data(),
                          "points"))
            return false;
        for (qint64 i = 0; i < count; ++i) {
            const char* point = block.constData() + i * pointSize;
            lines << basicStr(qFromLittleEndian<double>(point)) + fiveBlanks +
                         basicStr(qFromLittleEndian<double>(point + 8));
        }
    }
    if (pointsListed != *pointCount) {
        setProblem(
            result, Problem::PointCountTooLarge, ErrorKind::PastEndOfFile,
            QStringLiteral("%1 points given, %2 held by the file").arg(*pointCount).arg(pointsHeld),
            path, {QString::number(*pointCount), QString::number(pointsHeld)});
        return false;
    }
    return true;
}

// Steps 6 to 9: the index file.
bool listIndexFile(const QString& shpPath, Result& result, bool drawable)
{
    const QString path = indexFilePath(shpPath);
    if (!QFileInfo::exists(path)) {
        setProblem(result, Problem::IndexFileMissing, ErrorKind::FileNotFound,
                   QStringLiteral("no index file beside the main file"), path);
        return false;
    }
    QFile file(path);
    if (!openFile(file, path, result))
        return false;
    FieldReader reader(file, path, result);
    if (!listFileHeader(reader, path, QStringLiteral("----- Index Header -----"), result))
        return false;
    result.lines << QStringLiteral("----- Indexeinträge -----");
    if (drawable && reader.size() == headerSize)
        return true;
    const auto offset = reader.swapped(indexRecordPos, "index record");
    const auto length = reader.swapped(indexRecordPos + 4, "index record");
    if (!offset || !length)
        return false;
    result.lines << basicStr(*offset) + fiveBlanks + basicStr(*length);
    return true;
}

} // namespace

QString indexFilePath(const QString& shpPath)
{
    const QFileInfo info(shpPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf('.');
    const QString base = dot < 0 ? name : name.left(dot);
    return FileResolver::resolve(info.path(), base + QStringLiteral(".shx"));
}

Result dumpShapefile(const QString& shpPath)
{
    Result result;
    const QString path = existingName(shpPath);
    if (!QFileInfo::exists(path)) {
        setProblem(result, Problem::FileMissing, ErrorKind::FileNotFound,
                   QStringLiteral("no such file"), shpPath);
        return result;
    }
    // The dump classifies as the map does: what the map reader refuses is
    // refused here with its reason, what it accepts is listed.
    const ShapefileReader::Result read = ShapefileReader::read(path);
    const bool drawable = !read.error.isError();
    result.ok = listMainFile(path, result, drawable) && listIndexFile(path, result, drawable);
    if (result.ok && !drawable) {
        result.ok = false;
        setProblem(result, Problem::MapReaderRefuses, read.error.kind, read.error.detail,
                   read.error.where, {read.error.detail});
        return result;
    }
    if (result.ok) {
        result.problem = Problem::None;
        result.error = OperationError::none();
        result.arguments.clear();
    }
    return result;
}

QString problemTemplate(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return {};
    case Problem::FileMissing:
        return QStringLiteral("The file %1 does not exist.");
    case Problem::FileUnreadable:
        return QStringLiteral("The file %1 cannot be read.");
    case Problem::FileTooShort:
        return QStringLiteral("The file %1 is too short: %2 bytes needed, %3 present.");
    case Problem::NotPolygon:
        return QStringLiteral("The first record of %1 is not a polygon (shape type %2).");
    case Problem::NotSinglePart:
        return QStringLiteral("The first polygon of %1 has %2 parts; only one part can be listed.");
    case Problem::PointCountTooLarge:
        return QStringLiteral(
            "The first record of %1 declares %2 points, but the file contains %3.");
    case Problem::IndexFileMissing:
        return QStringLiteral("The index file %1 does not exist.");
    case Problem::NotShapefile:
        return QStringLiteral("The file %1 is not a shapefile (file code %2 instead of 9994).");
    case Problem::MapReaderRefuses:
        return QStringLiteral("The map cannot draw %1: %2.");
    }
    return {};
}

QString printFailedTemplate()
{
    return QStringLiteral("The list cannot be printed on %1.");
}

QString fillProblemText(const QString& textTemplate, const Result& result)
{
    QStringList values{QDir::toNativeSeparators(result.error.where)};
    values << result.arguments;
    return fillPlaceholders(textTemplate, values);
}

QString problemLine(const Result& result)
{
    return fillProblemText(problemTemplate(result.problem), result);
}

} // namespace ShapeDump
