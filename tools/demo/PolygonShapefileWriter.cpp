#include "PolygonShapefileWriter.h"

#include "FileResolver.h"
#include "ShapelibNameHooks.h"

#include <QFile>

#include <memory>
#include <vector>

namespace PolygonShapefileWriter {

OperationError write(const QString& folder, const QString& baseName, const QList<QPointF>& ring)
{
    for (const QString& extension : {QStringLiteral(".SHP"), QStringLiteral(".SHX")}) {
        if (FileResolver::dateiexistiert(folder, baseName + extension))
            return {ErrorKind::PathFileAccess, QStringLiteral("file exists already"),
                    FileResolver::resolve(folder, baseName + extension)};
    }
    const QString path = folder + '/' + baseName + QStringLiteral(".SHP");

    SAHooks hooks = ShapelibNameHooks::upperCaseExtensions();
    using ShpHandle = std::unique_ptr<SHPInfo, decltype(&SHPClose)>;
    ShpHandle shp(
        SHPCreateLL(QFile::encodeName(folder + '/' + baseName).constData(), SHPT_POLYGON, &hooks),
        &SHPClose);
    if (!shp)
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot create shapefile"), path};

    std::vector<double> x, y;
    for (const QPointF& p : ring) {
        x.push_back(p.x());
        y.push_back(p.y());
    }
    const int partStart = 0;
    std::unique_ptr<SHPObject, decltype(&SHPDestroyObject)> object(
        SHPCreateObject(SHPT_POLYGON, -1, 1, &partStart, nullptr, int(x.size()), x.data(), y.data(),
                        nullptr, nullptr),
        &SHPDestroyObject);
    if (!object || SHPWriteObject(shp.get(), -1, object.get()) < 0)
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot write polygon"), path};
    return OperationError::none();
}

} // namespace PolygonShapefileWriter
