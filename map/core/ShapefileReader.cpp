#include "ShapefileReader.h"

#include "FileBytes.h"
#include "FileResolver.h"
#include "ShapefileCheck.h"
#include "ShapelibHooks.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace ShapefileReader {

namespace {

MapGeometry geometryOf(int shapeType)
{
    switch (shapeType) {
    case SHPT_ARC:
    case SHPT_ARCZ:
    case SHPT_ARCM:
        return MapGeometry::Line;
    case SHPT_POINT:
    case SHPT_POINTZ:
    case SHPT_POINTM:
    case SHPT_MULTIPOINT:
    case SHPT_MULTIPOINTZ:
    case SHPT_MULTIPOINTM:
        return MapGeometry::Point;
    default:
        return MapGeometry::Polygon;
    }
}

Result failure(ErrorKind kind, const QString& where, const QString& detail)
{
    return {nullptr, {kind, detail, where}};
}

// Projected coordinates in metres lie well within this distance of their
// origin; anything farther cannot be a place on earth.
constexpr double largestCoordinate = 1e9;

bool isRealCoordinate(double value)
{
    return std::isfinite(value) && std::abs(value) <= largestCoordinate;
}

// Converts one record; false when a coordinate is not a finite number or lies
// beyond largestCoordinate.
bool convert(const SHPObject& object, MapGeometry geometry, MapShape* shape)
{
    const int vertices = object.nVertices;
    for (int i = 0; i < vertices; ++i) {
        if (!isRealCoordinate(object.padfX[i]) || !isRealCoordinate(object.padfY[i]))
            return false;
        shape->bounds.include(object.padfX[i], object.padfY[i]);
    }
    // Points and multipoints carry no parts: all vertices form one part.
    const int parts = geometry == MapGeometry::Point ? 1 : std::max(object.nParts, 1);
    for (int p = 0; p < parts; ++p) {
        const int start =
            (object.nParts > 0 && geometry != MapGeometry::Point) ? object.panPartStart[p] : 0;
        const int end = (p + 1 < object.nParts && geometry != MapGeometry::Point)
                            ? object.panPartStart[p + 1]
                            : vertices;
        if (start < 0 || end > vertices || start >= end)
            continue;
        QPolygonF part;
        part.reserve(end - start);
        for (int i = start; i < end; ++i)
            part.append(QPointF(object.padfX[i], object.padfY[i]));
        shape->parts.append(std::move(part));
    }
    return true;
}

} // namespace

Result read(const QString& shpPath, const QString& shxPath)
{
    if (shxPath.isEmpty()) {
        const QFileInfo info(shpPath);
        return failure(ErrorKind::FileNotFound,
                       info.path() + '/' + info.completeBaseName() + QStringLiteral(".shx"),
                       QStringLiteral("index file missing"));
    }
    FileBytes shp;
    FileBytes shx;
    for (auto [file, path] : {std::pair{&shp, shpPath}, std::pair{&shx, shxPath}}) {
        if (const OperationError error = file->load(path); error.isError())
            return {nullptr, error};
    }
    const ShapefileCheck::Result checked = ShapefileCheck::check(shp, shx);
    if (checked.error.isError())
        return {nullptr, checked.error};

    // shapelib reads the checked bytes, not the files again.
    ShapelibSession session;
    session.addFile(shpPath, shp.bytes());
    session.addFile(shxPath, shx.bytes());
    ShpHandle handle(SHPOpenLL(QFile::encodeName(shpPath).constData(), "rb", session.hooks()),
                     &SHPClose);
    if (!handle)
        return failure(ErrorKind::InvalidArgument, shpPath, session.errorText());

    int records = 0;
    int shapeType = 0;
    SHPGetInfo(handle.get(), &records, &shapeType, nullptr, nullptr);
    const MapGeometry geometry = geometryOf(shapeType);
    QList<MapShape> shapes;
    shapes.reserve(records);
    for (int i = 0; i < records; ++i) {
        ShpObjectHandle object(SHPReadObject(handle.get(), i), &SHPDestroyObject);
        if (!object)
            return failure(
                ErrorKind::InvalidArgument, shpPath,
                QStringLiteral("record %1 unreadable: %2").arg(i + 1).arg(session.errorText()));
        if (object->nSHPType == SHPT_NULL || object->nVertices == 0)
            continue;
        MapShape shape;
        if (!convert(*object, geometry, &shape))
            return failure(
                ErrorKind::InvalidArgument, shpPath,
                QStringLiteral("record %1 holds a coordinate that is not a number or lies "
                               "beyond 1e9 m")
                    .arg(i + 1));
        shapes.append(std::move(shape));
    }
    return {std::make_shared<const MapTable>(shpPath, geometry, std::move(shapes)), {}};
}

Result read(const QString& shpPath)
{
    const QFileInfo info(shpPath);
    const QString wanted = info.completeBaseName() + QStringLiteral(".shx");
    const QString shx = FileResolver::resolve(info.path(), wanted);
    return read(shpPath, QFileInfo::exists(shx) ? shx : QString());
}

} // namespace ShapefileReader
