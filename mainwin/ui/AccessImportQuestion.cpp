#include "AccessImportQuestion.h"

#include "AccessImportProcess.h"
#include "FileResolver.h"
#include "Messages.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "Prompter.h"
#include "WaitCursor.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Findings beyond this many are summed up as "…", so that the box fits the screen.
constexpr qsizetype shownFindings = 20;

QString findingText(const ProgramState& state, const ImportFinding& finding)
{
    using Kind = ImportFinding::Kind;
    switch (finding.kind) {
    case Kind::PlotWithoutFarmFolder:
        return Messages::format(state, TextKeys::plotWithoutFarmFolder,
                                {finding.farm, finding.plot});
    case Kind::PlotWithoutShapefiles:
        return Messages::format(state, TextKeys::plotWithoutShapefiles,
                                {finding.farm, finding.plot});
    case Kind::FarmFolderWithoutRow:
        return Messages::format(state, TextKeys::farmFolderWithoutRow, {finding.farm});
    case Kind::DuplicatePlot:
        return Messages::format(state, TextKeys::duplicatePlot, {finding.farm, finding.plot});
    }
    return QString();
}

} // namespace

namespace AccessImportQuestion {

bool ask(QWidget* parent, const ProgramState& state, const QString& accessFile)
{
    const QString kept = FileResolver::resolve(QFileInfo(accessFile).absolutePath(),
                                               ProjectDatabase::accessFileName());
    return Messages::confirm(parent, state, TextKeys::accessImportQuestion,
                             {QDir::toNativeSeparators(accessFile), QFileInfo(kept).fileName()});
}

std::optional<AccessImportReport> run(QWidget* parent, const ProgramState& state,
                                      const QString& program, const QString& accessFile)
{
    AccessImportProcess::Outcome outcome;
    {
        const WaitCursor wait;
        outcome = AccessImportProcess::run(program, state.programmpfad, accessFile);
    }
    if (!outcome.error.isError())
        return outcome.report;
    Messages::failure(parent, state, TextKeys::accessImportFailed, outcome.error,
                      {QDir::toNativeSeparators(accessFile)});
    return std::nullopt;
}

void showReport(QWidget* parent, const ProgramState& state, const AccessImportReport& report)
{
    QStringList parts{Messages::format(
        state, TextKeys::accessImportDone,
        {QString::number(report.farms), QString::number(report.plots),
         QString::number(report.measurements), QDir::toNativeSeparators(report.keptAs)})};
    if (!report.leftOut.isEmpty())
        parts << Messages::format(state, TextKeys::accessImportLeftOut,
                                  {report.leftOut.join(QStringLiteral(", "))});
    if (!report.findings.isEmpty()) {
        QStringList lines{Messages::format(state, TextKeys::accessImportFindings)};
        for (const ImportFinding& finding :
             report.findings.first(std::min(report.findings.size(), shownFindings)))
            lines << findingText(state, finding);
        if (report.findings.size() > shownFindings)
            lines << QStringLiteral("…");
        parts << lines.join('\n');
    }
    Prompter::instance().message(parent, QMessageBox::Information, state.titelinformation,
                                 parts.join(QStringLiteral("\n\n")));
}

} // namespace AccessImportQuestion
