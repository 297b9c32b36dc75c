#include "GpsCommands.h"

#include "DescriptionFile.h"
#include "FieldFolderSync.h"
#include "FieldQueries.h"
#include "FileResolver.h"
#include "GpsAssignment.h"
#include "GpsImport.h"
#include "GpsPathDefault.h"
#include "GpsTable.h"
#include "GpsTextKeys.h"
#include "LanguageFile.h"
#include "MeasurementFiles.h"
#include "PendingChangeRecovery.h"
#include "Placeholders.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "TextCatalogue.h"
#include "Texts.h"

#include <QDir>
#include <QLocale>
#include <optional>

namespace {
struct Arguments {
    QString folder;
    QString source;
    QString farm;
    QStringList measurements;
};

std::optional<Arguments> parse(const QString& command, const QStringList& args, bool assigning,
                               QTextStream& err)
{
    Arguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool takesValue = arg == QLatin1String("--folder") ||
                                arg == QLatin1String("--source") ||
                                (assigning && arg == QLatin1String("--farm"));
        if (assigning && !takesValue && !arg.startsWith(QLatin1String("--"))) {
            parsed.measurements.append(arg);
            continue;
        }
        if (!takesValue || i + 1 >= args.size() || args.at(i + 1).isEmpty()) {
            err << command << ": " << (takesValue ? "no value for " : "unexpected argument: ")
                << arg << '\n';
            return std::nullopt;
        }
        const QString& value = args.at(++i);
        if (arg == QLatin1String("--folder"))
            parsed.folder = value;
        else if (arg == QLatin1String("--source"))
            parsed.source = value;
        else
            parsed.farm = value;
    }
    QString missing;
    if (parsed.folder.isEmpty())
        missing = QStringLiteral("no program folder given");
    else if (assigning && parsed.source.isEmpty())
        missing = QStringLiteral("no GPS source folder given");
    else if (assigning && parsed.farm.isEmpty())
        missing = QStringLiteral("no farm given");
    else if (assigning && parsed.measurements.isEmpty())
        missing = QStringLiteral("no measurement given");
    if (!missing.isEmpty()) {
        err << command << ": " << missing << '\n';
        return std::nullopt;
    }
    return parsed;
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

QString number(const std::optional<double>& value)
{
    return value ? QLocale::c().toString(*value, 'f', QLocale::FloatingPointShortest) : QString();
}

// The program folder's database, catalogue and language, and the GPS folder
// imported into gpsdaten.
class Session {
public:
    Session(const Arguments& arguments, const QString& command, QTextStream& err)
        : m_command(command), m_err(err)
    {
        state.programmpfad = absolute(arguments.folder);
        state.gpspfad = arguments.source.isEmpty()
                            ? GpsPathDefault::defaultGpsPath(state.programmpfad)
                            : absolute(arguments.source);
        state.sprache = LanguageFile::read(state.programmpfad).value_or(1);
        if (!m_catalogue.open(state.programmpfad).isError())
            state.catalogue = &m_catalogue;
    }

    // Opens the database and imports; false (with the reason on err) when
    // either fails.
    bool start()
    {
        OperationError error = m_database.open(state.programmpfad);
        if (!error.isError()) {
            state.database = &m_database;
            // A deletion or assignment cut short goes first, as at the viewer's start.
            if (const OperationError pending = PendingChangeRecovery::finish(state);
                pending.isError())
                report(pending);
            const GpsImport::Result imported = GpsImport::gpsdateneinlesen(state);
            for (const OperationError& problem : imported.problems)
                report(problem);
            error = imported.error;
        }
        if (error.isError())
            report(error);
        return !error.isError();
    }

    void report(const OperationError& error)
    {
        m_err << m_command << ": " << QDir::toNativeSeparators(error.where) << ": " << error.detail
              << '\n';
    }
    void say(const TextKey& key, const QStringList& args = {})
    {
        m_err << m_command << ": " << fillPlaceholders(textholen(state, key), args) << '\n';
    }

    ProgramState state;

private:
    QString m_command;
    QTextStream& m_err;
    TextCatalogue m_catalogue;
    ProjectDatabase m_database;
};

int finish(QTextStream& out, QTextStream& err, int code)
{
    out.flush();
    err.flush();
    return code;
}
} // namespace

int runGpsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("gps");
    const std::optional<Arguments> parsed = parse(command, args, false, err);
    if (!parsed) {
        err << "usage: sorvan-gis gps --folder DIR [--source SRC]\n";
        return finish(out, err, 2);
    }
    Session session(*parsed, command, err);
    if (!session.start())
        return finish(out, err, 1);
    OperationError error;
    const QList<GpsRow> rows = GpsTable::rows(*session.state.database, GpsTable::byName(), &error);
    if (error.isError()) {
        session.report(error);
        return finish(out, err, 1);
    }
    for (const GpsRow& row : rows) {
        const QString base = row.record.dateiname;
        const DescriptionFile::Read read = DescriptionFile::read(FileResolver::resolve(
            session.state.gpspfad, MeasurementFiles::working(base.trimmed(), ".DES")));
        if (read.error.isError())
            session.report(read.error);
        const DescriptionFile::Values& v = read.values;
        out << QStringList{base, row.record.datum, number(v.area), number(v.perimeter),
                           number(v.maxDop)}
                   .join('\t')
            << '\n';
    }
    return finish(out, err, 0);
}

int runAssignCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString command = QStringLiteral("assign");
    const std::optional<Arguments> parsed = parse(command, args, true, err);
    if (!parsed) {
        err << "usage: sorvan-gis assign --folder DIR --source SRC --farm NAME MEASUREMENT...\n";
        return finish(out, err, 2);
    }
    Session session(*parsed, command, err);
    if (!session.start())
        return finish(out, err, 1);
    ProgramState& state = session.state;

    // The farm list as the field window loads it.
    SyncChanges changes = FieldFolderSync(state).betriebsdatenladen();
    OperationError error = changes.error;
    QString farm;
    QList<FarmRow> farms;
    if (!error.isError())
        farms = FieldQueries(*state.database).farmGrid(state.betriebsortierung, &error);
    if (error.isError()) {
        session.report(error);
        return finish(out, err, 1);
    }
    if (farms.isEmpty()) {
        session.say(GpsTextKeys::noFarm);
        return finish(out, err, 1);
    }
    for (const FarmRow& row : std::as_const(farms)) {
        if (row.name.trimmed().compare(parsed->farm.trimmed(), Qt::CaseInsensitive) == 0)
            farm = row.name;
    }
    if (farm.isEmpty()) {
        err << command << ": no farm " << parsed->farm << " in " << state.programmpfad << '\n';
        return finish(out, err, 1);
    }

    // Only measurements the import listed can be assigned.
    const QList<GpsRow> rows = GpsTable::rows(*state.database, GpsTable::byName(), &error);
    QStringList measurements;
    bool refused = false;
    for (const QString& wanted : parsed->measurements) {
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
        return finish(out, err, 1);

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
    return finish(out, err, complete ? 0 : 1);
}
