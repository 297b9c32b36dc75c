#include "VectorFile.h"

#include "FileGuard.h"

#include <QFileInfo>

#include <cpl_error.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>

#include <mutex>

namespace VectorFile {

void Closer::operator()(GDALDataset* dataset) const
{
    GDALClose(dataset);
}

void registerDrivers()
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

QString lastError(const QString& fallback)
{
    const QString message = QString::fromUtf8(CPLGetLastErrorMsg()).trimmed();
    return message.isEmpty() ? fallback : message;
}

QuietErrors::QuietErrors()
{
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
}

QuietErrors::~QuietErrors()
{
    CPLPopErrorHandler();
}

namespace {
GDALDataset* openPath(const QByteArray& path)
{
    return GDALDataset::FromHandle(
        GDALOpenEx(path.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
}

// The first dataset GDAL opens among the files of an archive.
GDALDataset* openInside(const QByteArray& archive)
{
    static const QStringList known = {"shp", "gpkg", "geojson", "json", "kml", "gml",
                                      "gpx", "fgb", "sqlite", "tab", "mif"};
    char** entries = VSIReadDirRecursive(archive.constData());
    GDALDataset* dataset = nullptr;
    for (int i = 0; entries && entries[i] && !dataset; ++i) {
        const QString entry = QString::fromUtf8(entries[i]);
        if (known.contains(entry.section('.', -1).toLower()))
            dataset = openPath(archive + '/' + entries[i]);
    }
    CSLDestroy(entries);
    return dataset;
}
} // namespace

Dataset open(const QString& file, OperationError* error)
{
    registerDrivers();
    const FileGuard::Entry entry = FileGuard::entryAt(file);
    if (entry == FileGuard::Entry::Missing) {
        *error = {ErrorKind::FileNotFound, QStringLiteral("no such file"), file};
        return {};
    }
    // A link is read through only when it leads to a regular file.
    if (entry != FileGuard::Entry::File &&
        !(entry == FileGuard::Entry::Link && QFileInfo(file).isFile())) {
        *error = {ErrorKind::Refused, QStringLiteral("not a regular file"), file};
        return {};
    }
    const QuietErrors quiet;
    const QByteArray path = file.toUtf8();
    const QString lower = file.toLower();
    GDALDataset* dataset = nullptr;
    if (lower.endsWith(QLatin1String(".zip")) || lower.endsWith(QLatin1String(".kmz"))) {
        if (lower.endsWith(QLatin1String(".kmz")))
            dataset = openPath(path);
        if (!dataset)
            dataset = openPath("/vsizip/" + path);
        if (!dataset)
            dataset = openInside("/vsizip/" + path);
    } else {
        dataset = openPath(path);
    }
    if (!dataset)
        *error = {ErrorKind::InvalidArgument,
                  lastError(QStringLiteral("no vector format GDAL reads")), file};
    return Dataset(dataset);
}

} // namespace VectorFile
