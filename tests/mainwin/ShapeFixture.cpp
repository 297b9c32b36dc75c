#include "ShapeFixture.h"

#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <shapefil.h>

#include <vector>

namespace ShapeFixture {

namespace {

void finish(const QString& folder, const QString& base, int records, Suffix suffix)
{
    const QString dbfPath = folder + '/' + base + ".dbf";
    DBFHandle dbf = DBFCreate(QFile::encodeName(dbfPath).constData());
    DBFAddField(dbf, "ID", FTInteger, 8, 0);
    for (int i = 0; i < records; ++i)
        DBFWriteIntegerAttribute(dbf, i, 0, i + 1);
    DBFClose(dbf);
    if (suffix == Suffix::Upper) {
        for (const char* ext : {"shp", "shx", "dbf"}) {
            const QString from = folder + '/' + base + '.' + ext;
            QFile::rename(from, folder + '/' + base + '.' + QString(ext).toUpper());
        }
    }
}

QString shpPath(const QString& folder, const QString& base, Suffix suffix)
{
    return folder + '/' + base + (suffix == Suffix::Upper ? ".SHP" : ".shp");
}

} // namespace

QPolygonF square(double x, double y, double side, bool hole)
{
    QPolygonF ring{{x, y}, {x, y + side}, {x + side, y + side}, {x + side, y}, {x, y}};
    if (hole)
        std::reverse(ring.begin(), ring.end());
    return ring;
}

QString writePolygons(const QString& folder, const QString& base, const QList<Rings>& records,
                      Suffix suffix)
{
    QDir().mkpath(folder);
    const QByteArray path = QFile::encodeName(folder + '/' + base + ".shp");
    SHPHandle shp = SHPCreate(path.constData(), SHPT_POLYGON);
    for (const Rings& rings : records) {
        std::vector<double> xs, ys;
        std::vector<int> starts;
        for (const QPolygonF& ring : rings) {
            starts.push_back(int(xs.size()));
            for (const QPointF& p : ring) {
                xs.push_back(p.x());
                ys.push_back(p.y());
            }
        }
        SHPObject* object =
            SHPCreateObject(SHPT_POLYGON, -1, int(starts.size()), starts.data(), nullptr,
                            int(xs.size()), xs.data(), ys.data(), nullptr, nullptr);
        SHPWriteObject(shp, -1, object);
        SHPDestroyObject(object);
    }
    SHPClose(shp);
    finish(folder, base, int(records.size()), suffix);
    return shpPath(folder, base, suffix);
}

QString writeSquare(const QString& folder, const QString& base, double x, double y, double side,
                    Suffix suffix)
{
    return writePolygons(folder, base, {{square(x, y, side)}}, suffix);
}

void patchInt32(const QString& path, qint64 offset, qint32 value, bool bigEndian)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    char bytes[4];
    if (bigEndian)
        qToBigEndian(value, bytes);
    else
        qToLittleEndian(value, bytes);
    file.seek(offset);
    file.write(bytes, 4);
}

void truncateFile(const QString& path, qint64 size)
{
    QFile file(path);
    file.resize(size);
}

QString unzipRealFields(const QString& folder)
{
    const QString data = TestFolder::realDataFolder();
    const QString archive = data + "/dk/Marker_2026.zip";
    const QString unzip = QStandardPaths::findExecutable("unzip");
    if (data.isEmpty() || !QFile::exists(archive) || unzip.isEmpty())
        return {};
    QDir().mkpath(folder);
    QProcess process;
    process.start(unzip, {"-o", "-q", archive, "-d", folder});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    const QString shp = folder + "/Marker_2026.shp";
    return QFile::exists(shp) ? shp : QString();
}

} // namespace ShapeFixture
