// gps and assign: the GPS window's list and its assignment of measurements.
#include "CliCommands.h"
#include "CommandFolder.h"
#include "DescriptionFile.h"
#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "FileResolver.h"
#include "GpsAssignment.h"
#include "GpsImport.h"
#include "GpsPathDefault.h"
#include "GpsTable.h"
#include "GpsTextKeys.h"
#include "MeasurementFiles.h"
#include "Placeholders.h"
#include "Texts.h"

#include <QDir>
#include <QLocale>
#include <optional>

namespace {
QString number(const std::optional<double>& value)
{
    return value ? QLocale::c().toString(*value, 'f', QLocale::FloatingPointShortest) : QString();
}

// The program folder with the GPS source folder imported into gpsdaten.
class GpsFolder : public CommandFolder {
public:
    GpsFolder(const CommandLine& line, QTextStream& err) : CommandFolder(line, err)
    {
        const QString source = line.value(QStringLiteral("source"));
        state().gpspfad = source.isEmpty() ? GpsPathDefault::defaultGpsPath(path())
                                           : QDir::cleanPath(QDir(source).absolutePath());
    }

    // Opens the folder and imports; false (with the reason on err) when
    // either fails.
    bool start()
    {
        if (!open({}))
            return false;
        const GpsImport::Result imported = GpsImport::gpsdateneinlesen(state());
        for (const OperationError& problem : imported.problems)
            report(problem);
        if (imported.error.isError())
            report(imported.error);
        return !imported.error.isError();
    }

    void say(const TextKey& key, const QStringList& args = {})
    {
        m_err << m_command << ": " << fillPlaceholders(textholen(state(), key), args) << '\n';
    }
};

int gps(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    GpsFolder session(line, err);
    if (!session.start())
        return 1;
    OperationError error;
    const QList<GpsRow> rows = GpsTable::rows(session.database(), GpsTable::byName(), &error);
    if (error.isError())
        return session.fail(error);
    for (const GpsRow& row : rows) {
        const QString base = row.record.dateiname;
        const DescriptionFile::Read read = DescriptionFile::read(FileResolver::resolve(
            session.state().gpspfad, MeasurementFiles::working(base.trimmed(), ".DES")));
        if (read.error.isError())
            session.report(read.error);
        const DescriptionFile::Values& v = read.values;
        out << QStringList{base, row.record.datum, number(v.area), number(v.perimeter),
                           number(v.maxDop)}
                   .join('\t')
            << '\n';
    }
    return 0;
}

int assign(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const QString command = line.command();
    const QString wantedFarm = line.value(QStringLiteral("farm"));
    GpsFolder session(line, err);
    if (!session.start())
        return 1;
    ProgramState& state = session.state();

    // The farm list as the field window loads it.
    SyncChanges changes = FieldFolderSync(state).betriebsdatenladen();
    OperationError error = changes.error;
    QString farm;
    QList<FarmRow> farms;
    if (!error.isError())
        farms = FieldQueries(*state.database).farmGrid(state.betriebsortierung, &error);
    if (error.isError())
        return session.fail(error);
    if (farms.isEmpty()) {
        session.say(GpsTextKeys::noFarm);
        return 1;
    }
    for (const FarmRow& row : std::as_const(farms)) {
        if (row.name.trimmed().compare(wantedFarm.trimmed(), Qt::CaseInsensitive) == 0)
            farm = row.name;
    }
    if (farm.isEmpty()) {
        err << command << ": no farm " << wantedFarm << " in " << state.programmpfad << '\n';
        return 1;
    }

    // Only measurements the import listed can be assigned.
    const QList<GpsRow> rows = GpsTable::rows(*state.database, GpsTable::byName(), &error);
    QStringList measurements;
    bool refused = false;
    for (const QString& wanted : line.arguments()) {
        QString found;
        for (const GpsRow& row : rows) {
            if (row.record.dateiname.trimmed().compare(wanted.trimmed(), Qt::CaseInsensitive) == 0)
                found = row.record.dateiname;
        }
        if (found.isEmpty()) {
            err << command << ": no measurement " << wanted << " in " << state.gpspfad << '\n';
            refused = true;
        } else {
            measurements.append(found);
        }
    }
    if (refused)
        return 1;

    const GpsAssignment::Outcome outcome = GpsAssignment::assign(state, farm, measurements);
    for (const QString& measurement : outcome.alreadyPlots)
        session.say(GpsTextKeys::alreadyPlot, {measurement.trimmed(), farm.trimmed()});
    if (outcome.error.isError()) {
        session.say(GpsTextKeys::assignFailed, {outcome.failed.trimmed(), farm.trimmed()});
        session.report(outcome.error);
    }
    // The new plots of the farm are marked as the field window marks them.
    changes = FieldFolderSync(state).schlagdatenabgleichen({farm});
    if (changes.error.isError())
        session.report(changes.error);
    for (const QString& measurement : outcome.assigned)
        out << measurement << '\t' << farm << '\n';
    const bool complete =
        !outcome.error.isError() && outcome.alreadyPlots.isEmpty() && !changes.error.isError();
    return complete ? 0 : 1;
}

} // namespace

CliCommand CliCommands::gps()
{
    return {QStringLiteral("gps"),
            QStringLiteral("import the GPS source folder SRC (default: as the viewer chooses it) "
                           "and list each measurement: name, date, area, perimeter and largest "
                           "DOP"),
            [](CommandLine& line) {
                line.folder().option("source", "SRC", QStringLiteral("the GPS source folder"));
            },
            ::gps};
}

CliCommand CliCommands::assign()
{
    return {QStringLiteral("assign"),
            QStringLiteral("make the measurements plots of the farm NAME"),
            [](CommandLine& line) {
                line.folder()
                    .option("source", "SRC", QStringLiteral("the GPS source folder"),
                            QStringLiteral("no GPS source folder given"))
                    .option("farm", "NAME", QStringLiteral("the farm the plots go to"),
                            QStringLiteral("no farm given"))
                    .argument("MEASUREMENT", QStringLiteral("a measurement of the source folder"),
                              QStringLiteral("no measurement given"), true);
            },
            ::assign};
}
