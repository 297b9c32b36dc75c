#include "PlotGeometry.h"

#include <QByteArray>

#include <cmath>
#include <ogr_geometry.h>
#include <ogr_spatialref.h>

namespace PlotGeometry {

void Deleter::operator()(OGRGeometry* geometry) const
{
    OGRGeometryFactory::destroyGeometry(geometry);
}

namespace {
bool isPolygonType(OGRwkbGeometryType type)
{
    return OGR_GT_IsSubClassOf(type, wkbCurvePolygon) || OGR_GT_IsSubClassOf(type, wkbMultiSurface) ||
           type == wkbPolyhedralSurface || type == wkbTIN;
}

// Adds the polygons of geometry (recursing into collections) to target.
void collectPolygons(const OGRGeometry* geometry, bool closeLines, OGRMultiPolygon& target)
{
    if (!geometry || geometry->IsEmpty())
        return;
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (type == wkbPolygon) {
        target.addGeometry(geometry);
        return;
    }
    if (OGR_GT_IsSubClassOf(type, wkbCurvePolygon) || type == wkbPolyhedralSurface ||
        type == wkbTIN) {
        const Owned straight(geometry->getLinearGeometry());
        collectPolygons(straight.get(), closeLines, target);
        return;
    }
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        for (const OGRGeometry* part : *geometry->toGeometryCollection())
            collectPolygons(part, closeLines, target);
        return;
    }
    if (closeLines && OGR_GT_IsCurve(type)) {
        const Owned straight(geometry->getLinearGeometry());
        const OGRLineString* line = straight->toLineString();
        auto ring = std::make_unique<OGRLinearRing>();
        for (int i = 0; i < line->getNumPoints(); ++i)
            ring->addPoint(line->getX(i), line->getY(i));
        ring->closeRings();
        if (ring->getNumPoints() < 4)
            return;
        OGRPolygon polygon;
        polygon.addRingDirectly(ring.release());
        target.addGeometry(&polygon);
    }
}

// The polygons of target as one polygon when there is one, else all of them.
Owned simplest(OGRMultiPolygon& target)
{
    if (target.IsEmpty())
        return {};
    if (target.getNumGeometries() == 1)
        return Owned(target.getGeometryRef(0)->clone());
    return Owned(target.clone());
}
} // namespace

Kind kindOf(const OGRGeometry* geometry)
{
    if (!geometry || geometry->IsEmpty())
        return Kind::Empty;
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (isPolygonType(type))
        return Kind::Polygonal;
    if (type == wkbPoint || type == wkbMultiPoint)
        return Kind::Point;
    if (OGR_GT_IsSubClassOf(type, wkbGeometryCollection)) {
        Kind found = Kind::Empty;
        for (const OGRGeometry* part : *geometry->toGeometryCollection()) {
            const Kind kind = kindOf(part);
            if (kind == Kind::Polygonal)
                return kind;
            if (kind != Kind::Empty && found != Kind::Line)
                found = kind;
        }
        return found;
    }
    return Kind::Line;
}

Owned polygonal(const OGRGeometry* geometry, bool closeLines)
{
    OGRMultiPolygon polygons;
    collectPolygons(geometry, closeLines, polygons);
    polygons.flattenTo2D();
    return simplest(polygons);
}

Owned valid(Owned geometry, bool* repaired)
{
    *repaired = false;
    if (!geometry || geometry->IsValid())
        return geometry;
    *repaired = true;
    const Owned made(geometry->MakeValid());
    if (!made)
        return {};
    OGRMultiPolygon polygons;
    collectPolygons(made.get(), false, polygons);
    Owned result = simplest(polygons);
    if (!result || !result->IsValid() || areaHa(result.get()) <= 0)
        return {};
    return result;
}

double areaHa(const OGRGeometry* geometry)
{
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    if (type == wkbPolygon)
        return geometry->toPolygon()->get_Area() / 10000.0;
    if (type == wkbMultiPolygon)
        return geometry->toMultiPolygon()->get_Area() / 10000.0;
    return 0;
}

double perimeter(const OGRGeometry* geometry)
{
    const OGRwkbGeometryType type = wkbFlatten(geometry->getGeometryType());
    double sum = 0;
    if (type == wkbPolygon) {
        for (const OGRLinearRing* ring : *geometry->toPolygon())
            sum += ring->get_Length();
    } else if (type == wkbMultiPolygon) {
        for (const OGRPolygon* polygon : *geometry->toMultiPolygon())
            sum += perimeter(polygon);
    }
    return sum;
}

bool isMetric(const OGRSpatialReference* system)
{
    return system && system->IsProjected() && std::abs(system->GetLinearUnits() - 1.0) < 1e-9;
}

std::unique_ptr<OGRSpatialReference> utmZone(double longitude, double latitude)
{
    const int zone = std::clamp(static_cast<int>(std::floor((longitude + 180.0) / 6.0)) + 1, 1, 60);
    auto system = std::make_unique<OGRSpatialReference>();
    system->importFromEPSG((latitude >= 0 ? 32600 : 32700) + zone);
    system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return system;
}

std::unique_ptr<OGRSpatialReference> fromPrj(const QByteArray& text)
{
    auto system = std::make_unique<OGRSpatialReference>();
    if (text.trimmed().isEmpty() || system->SetFromUserInput(text.trimmed().constData()) != OGRERR_NONE)
        return {};
    system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return system;
}

QString nameOf(const OGRSpatialReference* system)
{
    if (!system)
        return QStringLiteral("none");
    const char* name = system->GetName();
    return name ? QString::fromUtf8(name) : QStringLiteral("unnamed");
}

} // namespace PlotGeometry
