#pragma once

// Builds shapefiles byte by byte for the shapefile dump tests: every field at
// the position and in the byte order of the published ESRI layout.

#include <QByteArray>
#include <QList>
#include <QPointF>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace ShapeBytes {

inline QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian<quint32>(value, bytes.data());
    return bytes;
}

inline QByteArray le32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

inline QByteArray le64(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<double>(value, bytes.data());
    return bytes;
}

// Xmin, Ymin, Xmax, Ymax, Zmin, Zmax, Mmin, Mmax.
using Box = std::array<double, 8>;

// The 100-byte file header of a main or index file.
inline QByteArray fileHeader(quint32 fileLengthWords, qint32 shapeType, const Box& box,
                             quint32 fileCode = 9994, qint32 version = 1000)
{
    QByteArray bytes = be32(fileCode);
    for (int i = 0; i < 5; ++i)
        bytes += be32(0);
    bytes += be32(fileLengthWords);
    bytes += le32(version);
    bytes += le32(shapeType);
    for (double value : box)
        bytes += le64(value);
    return bytes;
}

inline Box boxOf(const QList<QPointF>& points)
{
    Box box{};
    if (points.isEmpty())
        return box;
    box[0] = box[2] = points.first().x();
    box[1] = box[3] = points.first().y();
    for (const QPointF& p : points) {
        box[0] = std::min(box[0], p.x());
        box[1] = std::min(box[1], p.y());
        box[2] = std::max(box[2], p.x());
        box[3] = std::max(box[3], p.y());
    }
    return box;
}

// Content of a polygon record: shape type 5, box, parts, points, part
// starts, points.
inline QByteArray polygonContent(const QList<QList<QPointF>>& parts)
{
    QList<QPointF> all;
    for (const auto& part : parts)
        all += part;
    const Box box = boxOf(all);
    QByteArray bytes = le32(5);
    for (int i = 0; i < 4; ++i)
        bytes += le64(box[i]);
    bytes += le32(static_cast<qint32>(parts.size()));
    bytes += le32(static_cast<qint32>(all.size()));
    qint32 start = 0;
    for (const auto& part : parts) {
        bytes += le32(start);
        start += static_cast<qint32>(part.size());
    }
    for (const QPointF& p : all)
        bytes += le64(p.x()) + le64(p.y());
    return bytes;
}

// Record header + content.
inline QByteArray record(quint32 number, const QByteArray& content)
{
    return be32(number) + be32(static_cast<quint32>(content.size() / 2)) + content;
}

struct Shapefile {
    QByteArray shp;
    QByteArray shx;
};

// A polygon shapefile (main and index file) with one record per entry of
// records, each a list of parts.
inline Shapefile polygonFile(const QList<QList<QList<QPointF>>>& records)
{
    QList<QPointF> all;
    QByteArray body;
    QByteArray index;
    quint32 number = 1;
    for (const auto& parts : records) {
        for (const auto& part : parts)
            all += part;
        const QByteArray content = polygonContent(parts);
        index += be32(static_cast<quint32>((100 + body.size()) / 2)) +
                 be32(static_cast<quint32>(content.size() / 2));
        body += record(number++, content);
    }
    Box box = boxOf(all);
    Shapefile file;
    file.shp = fileHeader(static_cast<quint32>((100 + body.size()) / 2), 5, box) + body;
    file.shx = fileHeader(static_cast<quint32>((100 + index.size()) / 2), 5, box) + index;
    return file;
}

// One record of one part.
inline Shapefile ringFile(const QList<QPointF>& ring)
{
    return polygonFile({{ring}});
}

} // namespace ShapeBytes
