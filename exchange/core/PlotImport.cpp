#include "PlotImport.h"

#include "FarmFolders.h"
#include "FieldQueries.h"
#include "FileResolver.h"
#include "PlotGeometry.h"
#include "PlotImportCommit.h"
#include "PlotNames.h"
#include "PlotPalette.h"
#include "PlotShapefile.h"
#include "ProgramState.h"
#include "VectorFile.h"

#include <QDir>
#include <QFile>
#include <QMap>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <cmath>

namespace PlotImport {

int Report::plotCount() const
{
    int sum = 0;
    for (const FarmSummary& farm : farms)
        sum += farm.plots;
    return sum;
}

double Report::totalHa() const
{
    double sum = 0;
    for (const FarmSummary& farm : farms)
        sum += farm.areaHa;
    return sum;
}

namespace {
using SystemPtr = std::unique_ptr<OGRSpatialReference>;

// A polygonal feature on its way to becoming a plot.
struct Candidate {
    QString label;
    QString farm;
    QString name;
    QString kultur;
    int erntejahr = 0;
    PlotGeometry::Owned geometry;
};

// The field values of one layer's chosen fields; -1 where not chosen.
struct FieldIndexes {
    int farm = -1, name = -1, crop = -1, year = -1;
};

QString text(OGRFeature& feature, int index)
{
    return index < 0 || !feature.IsFieldSetAndNotNull(index)
               ? QString()
               : QString::fromUtf8(feature.GetFieldAsString(index)).trimmed();
}

int yearOf(OGRFeature& feature, int index)
{
    const QString value = text(feature, index);
    const int year = value.left(4).toInt();
    return year >= 0 && year <= 9999 ? year : 0;
}

// The system of the program folder's plots: that of the first .prj found in
// a farm folder that names a metric projected system.
SystemPtr folderSystem(const QString& programFolder)
{
    for (const QString& farm : FarmFolders::list(programFolder)) {
        const QString folder = FarmFolders::farmFolder(programFolder, farm);
        const QStringList prjs = QDir(folder).entryList({QStringLiteral("*.prj")}, QDir::Files,
                                                        QDir::Name | QDir::IgnoreCase);
        for (const QString& prj : prjs) {
            QFile file;
            if (FileGuard::openForReading(file, folder + '/' + prj).isError())
                continue;
            SystemPtr system = PlotGeometry::fromPrj(file.read(1 << 16));
            if (PlotGeometry::isMetric(system.get()))
                return system;
        }
    }
    return {};
}

bool degreeLike(const OGREnvelope& extent)
{
    return extent.MinX >= -180 && extent.MaxX <= 180 && extent.MinY >= -90 && extent.MaxY <= 90;
}

// Collects the candidates and the notes of one layer; an error refuses the file.
class Planner {
public:
    Planner(ProgramState& state, const Options& options, Report& report)
        : m_state(state), m_options(options), m_report(report)
    {
    }

    OperationError layer(OGRLayer& layer, bool closeLines)
    {
        const QString layerName = QString::fromUtf8(layer.GetName());
        OGRFeatureDefn* definition = layer.GetLayerDefn();
        FieldIndexes fields;
        QStringList missing;
        auto find = [&](const QString& field, int* index) {
            if (field.isEmpty())
                return;
            *index = definition->GetFieldIndex(field.toUtf8().constData());
            if (*index < 0)
                missing << field;
        };
        find(m_options.farmFrom, &fields.farm);
        find(m_options.nameFrom, &fields.name);
        find(m_options.cropFrom, &fields.crop);
        find(m_options.yearFrom, &fields.year);

        std::vector<Candidate> found;
        OGREnvelope extent;
        layer.ResetReading();
        for (const auto& feature : layer) {
            const OGRGeometry* geometry = feature->GetGeometryRef();
            const PlotGeometry::Kind kind = PlotGeometry::kindOf(geometry);
            QString label = layerName + " #" + QString::number(feature->GetFID());
            if (kind == PlotGeometry::Kind::Point) {
                ++m_report.points;
                continue;
            }
            if (kind == PlotGeometry::Kind::Line && !closeLines) {
                ++m_report.lines;
                continue;
            }
            if (kind == PlotGeometry::Kind::Empty) {
                m_report.skipped.append({label, QStringLiteral("no geometry")});
                continue;
            }
            if (!missing.isEmpty())
                return {ErrorKind::InvalidArgument,
                        QStringLiteral("no field %1 in layer %2").arg(missing.join(", "), layerName),
                        m_options.file};
            Candidate candidate;
            candidate.name = text(*feature, fields.name).simplified().left(PlotNames::maxLength);
            if (!candidate.name.isEmpty())
                label += " \"" + candidate.name + '"';
            candidate.label = label;
            if (candidate.name.isEmpty())
                candidate.name = layerName.left(40) + ' ' + QString::number(feature->GetFID());
            candidate.kultur = text(*feature, fields.crop).simplified().left(PlotNames::maxLength);
            candidate.erntejahr = yearOf(*feature, fields.year);
            candidate.farm = m_options.farm.isEmpty() ? PlotNames::farmName(text(*feature, fields.farm))
                                                      : m_options.farm.trimmed();
            if (candidate.farm.isEmpty()) {
                m_report.skipped.append({label, QStringLiteral("no farm name in its field")});
                continue;
            }
            candidate.geometry = PlotGeometry::polygonal(geometry, closeLines);
            if (!candidate.geometry) {
                m_report.skipped.append({label, QStringLiteral("too few points for a polygon")});
                continue;
            }
            OGREnvelope envelope;
            candidate.geometry->getEnvelope(&envelope);
            extent.Merge(envelope);
            found.push_back(std::move(candidate));
        }
        if (found.empty())
            return OperationError::none();
        if (OperationError error = toTarget(layer, extent, found); error.isError())
            return error;
        for (Candidate& candidate : found) {
            bool repaired = false;
            candidate.geometry = PlotGeometry::valid(std::move(candidate.geometry), &repaired);
            if (!candidate.geometry) {
                m_report.skipped.append(
                    {candidate.label, QStringLiteral("invalid geometry that cannot be repaired")});
                continue;
            }
            if (repaired)
                m_report.repaired.append(
                    {candidate.label, QStringLiteral("invalid geometry (self-intersection) "
                                                     "repaired with MakeValid")});
            m_candidates.push_back(std::move(candidate));
        }
        return OperationError::none();
    }

    std::vector<Candidate>& candidates() { return m_candidates; }
    const OGRSpatialReference* target() const { return m_written.get(); }

private:
    // Keeps coordinates in metres, reprojects others to the folder's system
    // or the UTM zone of the data's centre.
    OperationError toTarget(OGRLayer& layer, const OGREnvelope& extent,
                            std::vector<Candidate>& found)
    {
        const OGRSpatialReference* source = layer.GetSpatialRef();
        m_report.sourceSystem = PlotGeometry::nameOf(source);
        if (!source) {
            if (degreeLike(extent))
                return {ErrorKind::InvalidArgument,
                        QStringLiteral("the file names no coordinate system and its coordinates "
                                       "look like degrees"),
                        m_options.file};
            // Metres of an unnamed system: kept, described as the folder's plots are.
            if (!m_written)
                m_written = folderSystem(m_state.programmpfad);
            m_report.targetSystem = PlotGeometry::nameOf(m_written.get());
            return OperationError::none();
        }
        if (PlotGeometry::isMetric(source)) {
            if (!m_written) {
                m_written.reset(source->Clone());
                m_written->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            }
            if (m_written->IsSame(source)) {
                m_report.targetSystem = PlotGeometry::nameOf(m_written.get());
                return OperationError::none();
            }
        }
        if (!m_written)
            m_written = folderSystem(m_state.programmpfad);
        if (!m_written) {
            OGRSpatialReference wgs84;
            wgs84.SetWellKnownGeogCS("WGS84");
            wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            const std::unique_ptr<OGRCoordinateTransformation> toDegrees(
                OGRCreateCoordinateTransformation(source, &wgs84));
            double x = (extent.MinX + extent.MaxX) / 2, y = (extent.MinY + extent.MaxY) / 2;
            if (!toDegrees || !toDegrees->Transform(1, &x, &y))
                return {ErrorKind::InvalidArgument,
                        VectorFile::lastError(QStringLiteral("the coordinates cannot be converted")),
                        m_options.file};
            m_written = PlotGeometry::utmZone(x, y);
        }
        const std::unique_ptr<OGRCoordinateTransformation> transformation(
            OGRCreateCoordinateTransformation(source, m_written.get()));
        if (!transformation)
            return {ErrorKind::InvalidArgument,
                    VectorFile::lastError(QStringLiteral("the coordinates cannot be converted")),
                    m_options.file};
        for (Candidate& candidate : found) {
            if (candidate.geometry->transform(transformation.get()) != OGRERR_NONE)
                return {ErrorKind::InvalidArgument,
                        QStringLiteral("the coordinates of %1 cannot be converted")
                            .arg(candidate.label),
                        m_options.file};
        }
        m_report.reprojected = true;
        m_report.targetSystem = PlotGeometry::nameOf(m_written.get());
        return OperationError::none();
    }

    ProgramState& m_state;
    const Options& m_options;
    Report& m_report;
    std::vector<Candidate> m_candidates;
    SystemPtr m_written; // the system the plots are written in
};

// The farm of an existing folder is named as its folder; a new farm keeps
// its name, which must suit a folder.
OperationError farmOf(const QString& programFolder, const QString& wanted, QString* farm,
                      bool* exists)
{
    const QString folder = FarmFolders::farmFolder(programFolder, wanted);
    *exists = !folder.isEmpty();
    *farm = *exists ? QDir(folder).dirName() : wanted.trimmed();
    if (!*exists && (PlotNames::farmName(*farm) != *farm ||
                     FileGuard::entryAt(FileResolver::resolve(programFolder, *farm)) !=
                         FileGuard::Entry::Missing))
        return {ErrorKind::InvalidArgument,
                QStringLiteral("a new farm's name may hold only letters, digits and blanks and "
                               "must not be taken"),
                wanted};
    return OperationError::none();
}

bool plotFileExists(const QString& programFolder, const QString& farm, const QString& base)
{
    const QString folder = FarmFolders::farmFolder(programFolder, farm);
    if (folder.isEmpty())
        return false;
    for (const char* extension : {".shp", ".shx", ".dbf", ".prj", ".cpg"}) {
        if (FileResolver::dateiexistiert(folder, base + QLatin1String(extension)))
            return true;
    }
    return false;
}
} // namespace

Result run(ProgramState& state, const Options& options)
{
    Result result;
    Report& report = result.report;
    auto fail = [&](const OperationError& error) {
        result.error = error;
        return result;
    };
    if (!state.database)
        return fail(ProjectDatabase::notOpen(state.programmpfad));
    OperationError error;
    const VectorFile::Dataset dataset = VectorFile::open(options.file, &error);
    if (!dataset)
        return fail(error);
    const VectorFile::QuietErrors quiet;
    const bool gpx = EQUAL(dataset->GetDriver()->GetDescription(), "GPX");
    Planner planner(state, options, report);
    bool layerFound = options.layer.isEmpty();
    for (OGRLayer* layer : dataset->GetLayers()) {
        if (!options.layer.isEmpty() &&
            QString::fromUtf8(layer->GetName()).compare(options.layer, Qt::CaseInsensitive) != 0)
            continue;
        layerFound = true;
        if (error = planner.layer(*layer, gpx); error.isError())
            return fail(error);
    }
    if (!layerFound)
        return fail({ErrorKind::InvalidArgument, QStringLiteral("no layer ") + options.layer,
                     options.file});

    // Farms, names and rows.
    ProjectDatabase& database = *state.database;
    const FieldQueries queries(database);
    QMap<QString, QString> farmNames;  // wanted (lower case) -> farm
    QMap<QString, QStringList> taken;  // farm -> names of this import
    QMap<QString, int> colourIndex;    // farm -> index of its next plot
    QMap<QString, FarmSummary> summary;
    QStringList newFarms;
    QList<PlotImportCommit::NewPlot> plots;
    QList<const OGRGeometry*> geometries;
    for (const Candidate& candidate : planner.candidates()) {
        const QString key = candidate.farm.toLower();
        if (!farmNames.contains(key)) {
            QString farm;
            bool exists = false;
            if (error = farmOf(state.programmpfad, candidate.farm, &farm, &exists);
                error.isError())
                return fail(error);
            const bool listed = database.farmExists(farm, &error);
            if (error.isError())
                return fail(error);
            if (!listed)
                newFarms.append(farm);
            farmNames.insert(key, farm);
            colourIndex.insert(farm, database.plotsOfFarm(farm).size());
            summary.insert(farm, {farm, !listed && !exists, 0, 0});
        }
        const QString farm = farmNames.value(key);
        const QString base = PlotNames::unique(PlotNames::fileBase(candidate.name), &taken[farm]);
        const bool listed = queries.plotExists({farm, base}, &error);
        if (error.isError())
            return fail(error);
        if (listed || plotFileExists(state.programmpfad, farm, base)) {
            report.skipped.append(
                {candidate.label, QStringLiteral("farm %1 has a plot %2 already").arg(farm, base)});
            continue;
        }
        PlotImportCommit::NewPlot plot;
        plot.scratchBase = QStringLiteral("%1").arg(plots.size() + 1, 4, 10, QChar('0'));
        plot.record.ordner = farm;
        plot.record.dateiname = base;
        plot.record.name = candidate.name;
        plot.record.kultur = candidate.kultur;
        plot.record.erntejahr = candidate.erntejahr;
        plot.record.farbe = PlotPalette::colourFor(candidate.kultur, colourIndex[farm]++);
        plot.record.flaeche = PlotGeometry::areaHa(candidate.geometry.get());
        plot.record.umfang = PlotGeometry::perimeter(candidate.geometry.get());
        plots.append(plot);
        geometries.append(candidate.geometry.get());
        summary[farm].plots += 1;
        summary[farm].areaHa += plot.record.flaeche;
    }
    for (const FarmSummary& farm : std::as_const(summary)) {
        if (farm.plots > 0)
            report.farms.append(farm);
    }
    // Farms that get no plot get no row either.
    newFarms.erase(std::remove_if(newFarms.begin(), newFarms.end(),
                                  [&](const QString& farm) { return summary[farm].plots == 0; }),
                   newFarms.end());
    if (options.dryRun || plots.isEmpty())
        return result;

    QString scratch;
    if (error = PlotImportCommit::makeScratch(state.programmpfad, &scratch); error.isError())
        return fail(error);
    for (qsizetype i = 0; i < plots.size(); ++i) {
        error = PlotShapefile::write(scratch + '/' + plots.at(i).scratchBase, plots.at(i).record,
                                     *geometries.at(i), planner.target());
        if (error.isError()) {
            (void)PlotImportCommit::removeScratch(state.programmpfad, scratch);
            return fail(error);
        }
    }
    if (error = PlotImportCommit::commit(state, scratch, newFarms, plots); error.isError())
        return fail(error);
    return result;
}

Description describe(const QString& file)
{
    Description description;
    const VectorFile::Dataset dataset = VectorFile::open(file, &description.error);
    if (!dataset)
        return description;
    const VectorFile::QuietErrors quiet;
    for (OGRLayer* layer : dataset->GetLayers()) {
        Layer entry;
        entry.name = QString::fromUtf8(layer->GetName());
        entry.features = layer->GetFeatureCount();
        entry.geometry = QString::fromUtf8(OGRGeometryTypeToName(layer->GetGeomType()));
        OGRFeatureDefn* definition = layer->GetLayerDefn();
        for (int i = 0; i < definition->GetFieldCount(); ++i)
            entry.fields << QString::fromUtf8(definition->GetFieldDefn(i)->GetNameRef());
        description.layers.append(entry);
    }
    return description;
}

} // namespace PlotImport
