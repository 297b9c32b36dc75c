#include "FieldListing.h"

#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "PlotMeasurement.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "SortOrders.h"

#include <QLocale>

namespace FieldListing {

QString escaped(QString value)
{
    return value.replace('\\', QLatin1String("\\\\"))
        .replace('\t', QLatin1String("\\t"))
        .replace('\n', QLatin1String("\\n"))
        .replace('\r', QLatin1String("\\r"));
}

namespace {
QString number(double value)
{
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
}

struct Farms {
    QList<FarmRow> rows;
    QList<PlotNote> notes;
    OperationError error;
};

// The farm part of the synchronisation, then the farm grid.
Farms loadFarms(ProgramState& state)
{
    Farms farms;
    const SyncChanges changes = FieldFolderSync(state).betriebsdatenladen();
    farms.error = changes.error;
    farms.notes = changes.notes;
    if (!farms.error.isError())
        farms.rows = FieldQueries(*state.database).farmGrid(state.betriebsortierung, &farms.error);
    return farms;
}

QStringList names(const QList<FarmRow>& farms)
{
    QStringList result;
    for (const FarmRow& farm : farms)
        result.append(farm.name);
    return result;
}

// The farm of the farm grid that name names: an exact match, else the first
// that equals it ignoring case.
qsizetype findFarm(const QStringList& known, const QString& name)
{
    const qsizetype exact = known.indexOf(name);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < known.size(); ++i) {
        if (known.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
} // namespace

QString plotHeader()
{
    return QStringLiteral("dateiname\tordner\tName\tNummer\tTeil\tErntejahr\tKultur\tAnmerkung"
                          "\tFarbe\tFlaeche\tUmfang\tmaxDOP\tanzeigen\tlesbar\tFlaeche_Geometrie");
}

QString plotLine(const PlotRecord& p, const PlotMeasurement::Result& geometry)
{
    const bool readable = geometry.outcome != PlotMeasurement::Outcome::Refused &&
                          geometry.outcome != PlotMeasurement::Outcome::Missing;
    const bool measured = geometry.outcome == PlotMeasurement::Outcome::Measured;
    return QStringList{escaped(p.dateiname),
                       escaped(p.ordner),
                       escaped(p.name),
                       QString::number(p.nummer),
                       QString::number(p.teil),
                       QString::number(p.erntejahr),
                       escaped(p.kultur),
                       escaped(p.anmerkung),
                       QString::number(p.farbe),
                       number(p.flaeche),
                       number(p.umfang),
                       number(p.maxDop),
                       QString::number(p.anzeigen),
                       QString::number(readable ? 1 : 0),
                       measured ? QString::number(geometry.flaecheHa, 'f', 4) : QString()}
        .join('\t');
}

Listing farms(ProgramState& state)
{
    Listing listing;
    const Farms farms = loadFarms(state);
    listing.error = farms.error;
    listing.notes = farms.notes;
    if (!listing.error.isError()) {
        const SyncChanges changes = FieldFolderSync(state).schlagdatenabgleichen(names(farms.rows));
        listing.error = changes.error;
        // Refused files are named below, every run, whether this run made their rows or not.
        for (const PlotNote& note : changes.notes) {
            if (note.kind != PlotNote::Kind::Refused)
                listing.notes.append(note);
        }
    }
    for (qsizetype i = 0; !listing.error.isError() && i < farms.rows.size(); ++i) {
        const QString& name = farms.rows.at(i).name;
        int count = 0;
        double areaHa = 0;
        for (const PlotRecord& plot : state.database->plotsOfFarm(name, &listing.error)) {
            if (plot.anzeigen != 1)
                continue;
            ++count;
            areaHa += plot.flaeche;
            const PlotKey key{plot.ordner, plot.dateiname};
            const PlotMeasurement::Result geometry =
                PlotMeasurement::measure(state.programmpfad, key);
            if (geometry.outcome == PlotMeasurement::Outcome::Refused)
                listing.notes.append({PlotNote::Kind::Refused, key, geometry.error.detail});
        }
        listing.lines.append(
            QStringList{escaped(name), QString::number(count), QString::number(areaHa, 'f', 4)}
                .join('\t'));
    }
    if (listing.error.isError())
        listing.lines.clear();
    return listing;
}

Listing plots(ProgramState& state, const QStringList& farmNames)
{
    Listing listing;
    const Farms farms = loadFarms(state);
    listing.error = farms.error;
    if (listing.error.isError())
        return listing;
    const QStringList known = names(farms.rows);
    QStringList selected = farmNames.isEmpty() ? known : QStringList();
    for (const QString& name : farmNames) {
        const qsizetype index = findFarm(known, name);
        if (index < 0) {
            listing.error = {ErrorKind::InvalidArgument, QStringLiteral("no farm of this name"),
                             name};
            return listing;
        }
        if (!selected.contains(known.at(index)))
            selected.append(known.at(index));
    }
    listing.notes = farms.notes;
    const SyncChanges changes = FieldFolderSync(state).schlagdatenabgleichen(selected);
    listing.error = changes.error;
    if (listing.error.isError())
        return listing;
    const QList<PlotRow> rows =
        FieldQueries(*state.database).fieldGrid(SortOrders::plotSingleFarm(), &listing.error);
    if (listing.error.isError())
        return listing;
    listing.lines.append(plotHeader());
    QList<PlotNote> refused;
    for (const PlotRow& row : rows) {
        const PlotKey key{row.record.ordner, row.record.dateiname};
        const PlotMeasurement::Result geometry = PlotMeasurement::measure(state.programmpfad, key);
        if (geometry.outcome == PlotMeasurement::Outcome::Refused)
            refused.append({PlotNote::Kind::Refused, key, geometry.error.detail});
        listing.lines.append(plotLine(row.record, geometry));
    }
    // Every refused file once, whether this run made its row or not.
    for (const PlotNote& note : changes.notes) {
        if (note.kind != PlotNote::Kind::Refused)
            listing.notes.append(note);
    }
    listing.notes += refused;
    return listing;
}

} // namespace FieldListing
