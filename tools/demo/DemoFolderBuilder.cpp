#include "DemoFolderBuilder.h"

#include <QDir>

#include "DemoFolderWriter.h"
#include "DemoTargetCheck.h"
#include "ProgramFolderSetup.h"
#include "WaitCursor.h"

DemoBuildResult DemoFolderBuilder::build(const QString& folder) const
{
    WaitCursor wait;
    DemoBuildResult result;
    result.folder = QDir(folder).absolutePath();

    result.error = DemoTargetCheck::check(result.folder);
    if (result.error.isError())
        return result;

    const ProgramFolderSetup::Result setup = ProgramFolderSetup::installMissingFiles(result.folder);
    result.installed = setup.installed;
    result.error = setup.error;
    if (result.error.isError())
        return result;

    const DemoPlan plan = DemoPlanner::plan(m_seed);
    result.error = DemoFolderWriter::write(plan, result.folder);
    if (result.error.isError())
        return result;
    result.farms = int(plan.farms.size());
    result.plots = plan.plotCount();
    result.measurements = int(plan.measurements.size());
    return result;
}
