#include "PlotExport.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "PlotGeometry.h"
#include "ProjectDatabase.h"
#include "VectorFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

namespace PlotExport {

namespace {
const QStringList supported = {"GPKG", "ESRI Shapefile", "GeoJSON", "KML"};

struct Plot {
    PlotRecord record;
    PlotGeometry::Owned geometry;
    std::unique_ptr<OGRSpatialReference> system;
};

// The plot's shape as one multi-polygon, with the system of its .prj.
QString readPlot(const QString& programFolder, Plot& plot)
{
    const QString path = FileResolver::resolvePath(
        programFolder, plot.record.ordner.trimmed() + '/' + plot.record.dateiname.trimmed() + ".SHP");
    OperationError error;
    const VectorFile::Dataset dataset = VectorFile::open(path, &error);
    if (!dataset)
        return error.detail;
    const VectorFile::QuietErrors quiet;
    OGRLayer* layer = dataset->GetLayer(0);
    if (!layer)
        return QStringLiteral("no shapes");
    OGRMultiPolygon all;
    for (const auto& feature : *layer) {
        const PlotGeometry::Owned part = PlotGeometry::polygonal(feature->GetGeometryRef(), false);
        if (!part)
            continue;
        if (wkbFlatten(part->getGeometryType()) == wkbPolygon)
            all.addGeometry(part.get());
        else
            for (const OGRPolygon* polygon : *part->toMultiPolygon())
                all.addGeometry(polygon);
    }
    if (all.IsEmpty())
        return QStringLiteral("no polygon");
    plot.geometry.reset(all.clone());
    if (const OGRSpatialReference* system = layer->GetSpatialRef()) {
        plot.system.reset(system->Clone());
        plot.system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    return {};
}

// The names the output takes: for a shapefile every companion file.
QStringList outputNames(const QString& out, const QString& format)
{
    if (format != QLatin1String("ESRI Shapefile"))
        return {out};
    const QString base = out.left(out.size() - QFileInfo(out).suffix().size() - 1);
    QStringList names;
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj", ".cpg"})
        names << base + QLatin1String(extension);
    return names;
}

OperationError writeLayer(GDALDataset& dataset, const QString& format,
                          const OGRSpatialReference* system, std::vector<Plot>& plots)
{
    char** options = nullptr;
    if (format == QLatin1String("ESRI Shapefile"))
        options = CSLSetNameValue(options, "ENCODING", "UTF-8");
    if (format == QLatin1String("GeoJSON"))
        options = CSLSetNameValue(options, "RFC7946", "YES");
    const OGRwkbGeometryType type =
        format == QLatin1String("ESRI Shapefile") ? wkbPolygon : wkbMultiPolygon;
    OGRLayer* layer = dataset.CreateLayer("schlaege", const_cast<OGRSpatialReference*>(system),
                                          type, options);
    CSLDestroy(options);
    if (!layer)
        return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot create the layer"), {}};
    const std::pair<const char*, OGRFieldType> columns[] = {
        {"dateiname", OFTString}, {"ordner", OFTString},  {"Name", OFTString},
        {"Nummer", OFTInteger},   {"Teil", OFTInteger},   {"Erntejahr", OFTInteger},
        {"Kultur", OFTString},    {"Anmerkung", OFTString}, {"Farbe", OFTInteger64},
        {"Flaeche", OFTReal},     {"Umfang", OFTReal},    {"maxDOP", OFTReal},
        {"anzeigen", OFTInteger}};
    for (const auto& [name, type] : columns) {
        OGRFieldDefn field(name, type);
        if (type == OFTString)
            field.SetWidth(254);
        if (layer->CreateField(&field) != OGRERR_NONE)
            return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), {}};
    }
    for (Plot& plot : plots) {
        const PlotRecord& r = plot.record;
        OGRFeature feature(layer->GetLayerDefn());
        feature.SetField("dateiname", r.dateiname.toUtf8().constData());
        feature.SetField("ordner", r.ordner.toUtf8().constData());
        feature.SetField("Name", r.name.toUtf8().constData());
        feature.SetField("Nummer", r.nummer);
        feature.SetField("Teil", r.teil);
        feature.SetField("Erntejahr", r.erntejahr);
        feature.SetField("Kultur", r.kultur.toUtf8().constData());
        feature.SetField("Anmerkung", r.anmerkung.toUtf8().constData());
        feature.SetField("Farbe", static_cast<GIntBig>(r.farbe));
        feature.SetField("Flaeche", r.flaeche);
        feature.SetField("Umfang", r.umfang);
        feature.SetField("maxDOP", r.maxDop);
        feature.SetField("anzeigen", r.anzeigen);
        feature.SetGeometry(plot.geometry.get());
        if (layer->CreateFeature(&feature) != OGRERR_NONE)
            return {ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), {}};
    }
    return OperationError::none();
}
} // namespace

QString formatFor(const QString& out)
{
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix == QLatin1String("shp"))
        return QStringLiteral("ESRI Shapefile");
    if (suffix == QLatin1String("geojson") || suffix == QLatin1String("json"))
        return QStringLiteral("GeoJSON");
    if (suffix == QLatin1String("kml"))
        return QStringLiteral("KML");
    return QStringLiteral("GPKG");
}

Result run(ProjectDatabase& database, const QString& programFolder, const Options& options)
{
    Result result;
    auto fail = [&](const OperationError& error) {
        result.error = error;
        return result;
    };
    result.format = options.format.isEmpty() ? formatFor(options.out) : options.format;
    const auto known = std::find_if(supported.begin(), supported.end(), [&](const QString& name) {
        return name.compare(result.format, Qt::CaseInsensitive) == 0;
    });
    if (known == supported.end())
        return fail({ErrorKind::InvalidArgument, QStringLiteral("unknown format ") + result.format,
                     options.out});
    result.format = *known;
    const QString out = QDir::cleanPath(QDir(options.out).absolutePath());
    const QStringList names = outputNames(out, result.format);
    for (const QString& name : names) {
        const FileGuard::Entry entry = FileGuard::entryAt(name);
        if (entry == FileGuard::Entry::Missing)
            continue;
        if (entry != FileGuard::Entry::File && entry != FileGuard::Entry::Link)
            return fail({ErrorKind::Refused, QStringLiteral("not a regular file"), name});
        if (!options.force)
            return fail({ErrorKind::Refused, QStringLiteral("the file exists; --force replaces it"),
                         name});
    }
    if (FileGuard::entryAt(QFileInfo(out).path()) != FileGuard::Entry::Folder)
        return fail({ErrorKind::PathNotFound, QStringLiteral("no such folder"),
                     QFileInfo(out).path()});

    // The plots, farm by farm.
    OperationError error;
    QStringList farms = options.farms;
    if (farms.isEmpty())
        farms = database.farmNames(&error);
    std::vector<Plot> plots;
    for (const QString& farm : std::as_const(farms)) {
        if (!database.farmExists(farm, &error) && !error.isError())
            error = {ErrorKind::InvalidArgument, QStringLiteral("no such farm"), farm};
        if (error.isError())
            return fail(error);
        const QList<PlotRecord> records = database.plotsOfFarm(farm, &error);
        if (error.isError())
            return fail(error);
        ++result.farms;
        for (const PlotRecord& record : records) {
            Plot plot;
            plot.record = record;
            const QString why = readPlot(programFolder, plot);
            if (!why.isEmpty())
                result.skipped << record.ordner + '/' + record.dateiname + ": " + why;
            else
                plots.push_back(std::move(plot));
        }
    }

    // One system for the layer.
    std::unique_ptr<OGRSpatialReference> system;
    const bool degrees = result.format == QLatin1String("GeoJSON") || result.format == QLatin1String("KML");
    if (degrees) {
        system = std::make_unique<OGRSpatialReference>();
        system->SetWellKnownGeogCS("WGS84");
        system->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    for (const Plot& plot : plots) {
        if (!system && plot.system)
            system.reset(plot.system->Clone());
    }
    std::vector<Plot> placed;
    for (Plot& plot : plots) {
        const bool same = !plot.system || !system || plot.system->IsSame(system.get());
        if (!same) {
            const std::unique_ptr<OGRCoordinateTransformation> transformation(
                OGRCreateCoordinateTransformation(plot.system.get(), system.get()));
            if (!transformation || plot.geometry->transform(transformation.get()) != OGRERR_NONE) {
                result.skipped << plot.record.ordner + '/' + plot.record.dateiname +
                                      ": its coordinates cannot be converted";
                continue;
            }
        } else if (degrees && !plot.system) {
            result.skipped << plot.record.ordner + '/' + plot.record.dateiname +
                                  ": no coordinate system (.prj) to convert from";
            continue;
        }
        placed.push_back(std::move(plot));
    }
    if (placed.empty() && !result.skipped.isEmpty())
        return fail({ErrorKind::InvalidArgument,
                     QStringLiteral("no plot can be written: ") + result.skipped.first(), out});
    result.plots = static_cast<int>(placed.size());
    result.system = PlotGeometry::nameOf(system.get());

    // Written beside the target, then moved over it.
    QTemporaryDir scratch(QFileInfo(out).path() + QStringLiteral("/.sorvan-export-XXXXXX"));
    if (!scratch.isValid())
        return fail({ErrorKind::PathFileAccess, scratch.errorString(), QFileInfo(out).path()});
    VectorFile::registerDrivers();
    const VectorFile::QuietErrors quiet;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(result.format.toUtf8().constData());
    if (!driver)
        return fail({ErrorKind::InvalidArgument, QStringLiteral("GDAL lacks the format"), out});
    const QString partial = scratch.path() + '/' + QFileInfo(out).fileName();
    {
        VectorFile::Dataset dataset(
            driver->Create(partial.toUtf8().constData(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!dataset)
            return fail({ErrorKind::PathFileAccess, VectorFile::lastError("cannot create"), out});
        error = writeLayer(*dataset, result.format, system.get(), placed);
        if (error.isError()) {
            error.where = out;
            return fail(error);
        }
    }
    if (CPLGetLastErrorType() >= CE_Failure)
        return fail({ErrorKind::PathFileAccess, VectorFile::lastError("cannot write"), out});
    for (const QString& name : names) {
        const QString made = scratch.path() + '/' + QFileInfo(name).fileName();
        if (FileGuard::entryAt(made) != FileGuard::Entry::File) {
            (void)FileGuard::removeFile(QFileInfo(name).path(), name); // no stale companion
            continue;
        }
        if (error = FileGuard::moveOver(made, name); error.isError())
            return fail(error);
    }
    return result;
}

} // namespace PlotExport
