#include "AccessImportReport.h"

#include "FieldListing.h"

#include <QTextStream>

#include <array>

namespace {

using Kind = ImportFinding::Kind;
const std::array<std::pair<Kind, const char*>, 4> findingNames = {{
    {Kind::PlotWithoutFarmFolder, "plot without farm folder"},
    {Kind::PlotWithoutShapefiles, "plot without shapefiles"},
    {Kind::FarmFolderWithoutRow, "farm folder without row"},
    {Kind::DuplicatePlot, "duplicate plot"},
}};

void writeLine(QTextStream& stream, const QStringList& fields)
{
    QStringList escaped;
    for (const QString& field : fields)
        escaped << FieldListing::escaped(field);
    stream << escaped.join('\t') << '\n';
}

QString unescaped(const QString& field)
{
    QString value;
    for (qsizetype i = 0; i < field.size(); ++i) {
        QChar c = field.at(i);
        if (c == '\\' && i + 1 < field.size()) {
            const QChar next = field.at(++i);
            c = next == 't'   ? QChar('\t')
                : next == 'n' ? QChar('\n')
                : next == 'r' ? QChar('\r')
                              : next;
        }
        value += c;
    }
    return value;
}

QList<QStringList> lines(const QString& text)
{
    QList<QStringList> result;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
        QStringList fields;
        for (const QString& field : line.split('\t'))
            fields << unescaped(field);
        result << fields;
    }
    return result;
}

} // namespace

namespace AccessImportOutput {

void writeReport(const AccessImportReport& report, QTextStream& out, QTextStream& err)
{
    writeLine(out, {QStringLiteral("farms"), QString::number(report.farms)});
    writeLine(out, {QStringLiteral("plots"), QString::number(report.plots)});
    writeLine(out, {QStringLiteral("measurements"), QString::number(report.measurements)});
    if (!report.keptAs.isEmpty())
        writeLine(out, {QStringLiteral("kept as"), report.keptAs});
    for (const ImportFinding& finding : report.findings) {
        for (const auto& [kind, name] : findingNames) {
            if (kind == finding.kind)
                writeLine(out, {QString::fromLatin1(name), finding.farm, finding.plot});
        }
    }
    for (const QString& column : report.leftOut)
        writeLine(err, {QStringLiteral("left out"), column});
}

void writeFailure(const OperationError& error, QTextStream& err)
{
    writeLine(err,
              {QStringLiteral("error"), QString::number(error.code()), error.where, error.detail});
}

AccessImportReport readReport(const QString& out, const QString& err)
{
    AccessImportReport report;
    for (const QStringList& fields : lines(out)) {
        const QString& key = fields.first();
        const QString value = fields.value(1);
        if (key == QLatin1String("farms"))
            report.farms = value.toInt();
        else if (key == QLatin1String("plots"))
            report.plots = value.toInt();
        else if (key == QLatin1String("measurements"))
            report.measurements = value.toInt();
        else if (key == QLatin1String("kept as"))
            report.keptAs = value;
        for (const auto& [kind, name] : findingNames) {
            if (key == QLatin1String(name))
                report.findings.append({kind, value, fields.value(2)});
        }
    }
    for (const QStringList& fields : lines(err)) {
        if (fields.first() == QLatin1String("left out"))
            report.leftOut << fields.value(1);
    }
    return report;
}

OperationError readFailure(const QString& err)
{
    for (const QStringList& fields : lines(err)) {
        if (fields.first() == QLatin1String("error") && fields.size() >= 4)
            return {ErrorKind(fields.at(1).toInt()), fields.at(3), fields.at(2)};
    }
    return OperationError::none();
}

} // namespace AccessImportOutput
