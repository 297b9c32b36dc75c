#include "PlotShapefile.h"

#include "FileGuard.h"
#include "ProjectDatabase.h"
#include "VectorFile.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace PlotShapefile {

namespace {
OperationError syncFile(const QString& path)
{
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0 || ::fsync(handle) != 0) {
        const int error = errno;
        if (handle >= 0)
            ::close(handle);
        return {ErrorKind::PathFileAccess, QString::fromLocal8Bit(std::strerror(error)), path};
    }
    ::close(handle);
    return OperationError::none();
}
} // namespace

OperationError write(const QString& base, const PlotRecord& plot, const OGRGeometry& geometry,
                     const OGRSpatialReference* system)
{
    VectorFile::registerDrivers();
    const QString path = base + QStringLiteral(".shp");
    if (const int injected = FileGuard::step(FileGuard::Step::OpenForWriting, path))
        return {ErrorKind::PathFileAccess, QString::fromLocal8Bit(std::strerror(injected)), path};
    const VectorFile::QuietErrors quiet;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    if (!driver)
        return {ErrorKind::InvalidArgument, QStringLiteral("GDAL has no shapefile driver"), path};
    {
        VectorFile::Dataset dataset(
            driver->Create(path.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!dataset)
            return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot create"), path};
        char** options = CSLSetNameValue(nullptr, "ENCODING", "UTF-8");
        OGRLayer* layer = dataset->CreateLayer(QFileInfo(base).fileName().toUtf8().constData(),
                                               const_cast<OGRSpatialReference*>(system),
                                               wkbPolygon, options);
        CSLDestroy(options);
        if (!layer)
            return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot create"), path};
        OGRFieldDefn name("Name", OFTString), kultur("Kultur", OFTString),
            erntejahr("Erntejahr", OFTInteger);
        name.SetWidth(254);
        kultur.SetWidth(254);
        erntejahr.SetWidth(4);
        for (OGRFieldDefn* field : {&name, &kultur, &erntejahr}) {
            if (layer->CreateField(field) != OGRERR_NONE)
                return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), path};
        }
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("Name", plot.name.toUtf8().constData());
        feature.SetField("Kultur", plot.kultur.toUtf8().constData());
        feature.SetField("Erntejahr", plot.erntejahr);
        feature.SetGeometry(&geometry);
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), path};
    }
    if (CPLGetLastErrorType() >= CE_Failure)
        return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), path};
    const QFileInfo info(base);
    for (const QString& file :
         QDir(info.path()).entryList({info.fileName() + ".*"}, QDir::Files | QDir::Hidden)) {
        if (OperationError error = syncFile(info.path() + '/' + file); error.isError())
            return error;
    }
    return OperationError::none();
}

} // namespace PlotShapefile
