#include "ShapeFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <algorithm>
#include <utility>

namespace ShapeFixture {

namespace {
// A 32-bit integer in little-endian byte order, or big-endian when big is true.
QByteArray int32(qint64 value, bool big = false)
{
    QByteArray bytes(4, '\0');
    if (big)
        qToBigEndian(quint32(value), bytes.data());
    else
        qToLittleEndian(quint32(value), bytes.data());
    return bytes;
}

QByteArray float64(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// Xmin, Ymin, Xmax, Ymax as little-endian doubles.
QByteArray box(const QRectF& r)
{
    return float64(r.left()) + float64(r.top()) + float64(r.right()) + float64(r.bottom());
}

// File code, five unused words, length in 16-bit words, version, type, box
// and zero Z and M ranges: 100 bytes.
QByteArray header(qsizetype bytes, const QRectF& bounds)
{
    return int32(9994, true) + QByteArray(20, '\0') + int32(bytes / 2, true) + int32(1000) +
           int32(5) + box(bounds) + QByteArray(32, '\0');
}
} // namespace

QPolygonF square(double x, double y, double side, bool hole)
{
    QPolygonF ring{{x, y}, {x, y + side}, {x + side, y + side}, {x + side, y}, {x, y}};
    if (hole)
        std::reverse(ring.begin(), ring.end());
    return ring;
}

Shapefile polygonFile(const QList<Rings>& records)
{
    QByteArray body, index;
    QRectF all;
    int number = 0;
    for (const Rings& rings : records) {
        QPolygonF points;
        QByteArray starts;
        for (const QPolygonF& ring : rings) {
            starts += int32(points.size());
            points += ring;
        }
        QByteArray content = int32(5) + box(points.boundingRect()) + int32(rings.size()) +
                             int32(points.size()) + starts;
        for (const QPointF& p : points)
            content += float64(p.x()) + float64(p.y());
        all |= points.boundingRect();
        const QByteArray words = int32(content.size() / 2, true);
        index += int32((100 + body.size()) / 2, true) + words;
        body += int32(++number, true) + words + content;
    }
    return {header(100 + body.size(), all) + body, header(100 + index.size(), all) + index};
}

QByteArray withInt32(QByteArray bytes, qint64 pos, qint32 value, bool bigEndian)
{
    return bytes.replace(pos, 4, int32(value, bigEndian));
}

QString writeShapefile(const QString& folder, const QString& shpName, const Shapefile& file)
{
    QDir().mkpath(folder);
    const QString shp = folder + '/' + shpName;
    const QString shx = shp.chopped(1) + (shp.endsWith('P') ? 'X' : 'x');
    for (const auto& [path, bytes] : {std::pair{shp, file.shp}, std::pair{shx, file.shx}}) {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    }
    return shp;
}

QString writePolygons(const QString& folder, const QString& base, const QList<Rings>& records,
                      Suffix suffix)
{
    return writeShapefile(folder, base + (suffix == Suffix::Upper ? ".SHP" : ".shp"),
                          polygonFile(records));
}

QString writeSquare(const QString& folder, const QString& base, double x, double y, double side,
                    Suffix suffix)
{
    return writePolygons(folder, base, {{square(x, y, side)}}, suffix);
}

QString unzipRealFields(const QString& folder)
{
    const QString archive = QStringLiteral(SORVAN_REALDATA_DIR "/dk/Marker_2026.zip");
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (!QFile::exists(archive) || unzip.isEmpty())
        return {};
    QDir().mkpath(folder);
    QProcess process;
    process.start(unzip, {"-o", "-q", archive, "-d", folder});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QString shp = folder + "/Marker_2026.shp";
    return QFile::exists(shp) ? shp : QString();
}

QList<RealPlot> writeRealFarms(const QString& programFolder)
{
    QList<RealPlot> plots;
    const QString scratch = programFolder + "/.real";
    QFile shpFile(unzipRealFields(scratch));
    if (!shpFile.open(QIODevice::ReadOnly))
        return plots;
    const QByteArray shp = shpFile.readAll();
    for (qsizetype at = 100; at + 8 < shp.size();) {
        const char* record = shp.constData() + at + 8;
        at += 8 + 2 * qsizetype(qFromBigEndian<quint32>(shp.constData() + at + 4));
        const int partCount = qFromLittleEndian<qint32>(record + 36);
        const int pointCount = qFromLittleEndian<qint32>(record + 40);
        const char* points = record + 44 + 4 * partCount;
        Rings rings;
        double twiceArea = 0;
        for (int p = 0; p < partCount; ++p) {
            const int start = qFromLittleEndian<qint32>(record + 44 + 4 * p);
            const int end =
                p + 1 < partCount ? qFromLittleEndian<qint32>(record + 48 + 4 * p) : pointCount;
            QPolygonF ring;
            for (int i = start; i < end; ++i)
                ring << QPointF(qFromLittleEndian<double>(points + 16 * i),
                                qFromLittleEndian<double>(points + 16 * i + 8));
            for (int i = 0; i + 1 < ring.size(); ++i) // relative to the first point
                twiceArea -= (ring[i].x() - ring[0].x()) * (ring[i + 1].y() - ring[0].y()) -
                             (ring[i + 1].x() - ring[0].x()) * (ring[i].y() - ring[0].y());
            rings << ring;
        }
        const int index = int(plots.size());
        RealPlot plot{QString("Hof %1").arg(index % 12 + 1), QString("Feld %1").arg(index + 1),
                      twiceArea / 2 / 10000};
        QDir().mkpath(programFolder + '/' + plot.farm);
        writePolygons(programFolder + '/' + plot.farm, plot.base, {rings});
        plots.append(plot);
    }
    QDir(scratch).removeRecursively();
    return plots;
}

} // namespace ShapeFixture
