#include "DemoTargetCheck.h"

#include "FarmFolders.h"
#include "FileResolver.h"
#include "ProjectDatabase.h"

#include <QDir>
#include <QFileInfo>

namespace DemoTargetCheck {

namespace {
OperationError refuse(const QString& why, const QString& where)
{
    return {ErrorKind::PathFileAccess, why, where};
}

OperationError checkDatabase(const QString& folder)
{
    if (!FileResolver::dateiexistiert(folder, ProjectDatabase::fileName()))
        return OperationError::none();
    ProjectDatabase database;
    OperationError error = database.open(folder);
    if (error.isError())
        return error;
    const QStringList farms = database.farmNames(&error);
    const int plots = error.isError() ? 0 : database.plotCount(&error);
    if (error.isError())
        return error;
    if (!farms.isEmpty() || plots > 0)
        return refuse(QStringLiteral("project database already lists %1 farms and %2 plots")
                          .arg(farms.size())
                          .arg(plots),
                      database.path());
    return OperationError::none();
}
} // namespace

OperationError check(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return OperationError::none();
    if (!info.isDir())
        return refuse(QStringLiteral("not a folder"), folder);

    const QStringList farms = FarmFolders::list(folder);
    if (!farms.isEmpty())
        return refuse(QStringLiteral("already holds farm folders (%1)").arg(farms.join(", ")),
                      folder);

    const QString shapes = FileResolver::resolve(folder, QStringLiteral("shapes"));
    if (QFileInfo(shapes).isDir() && !QDir(shapes).isEmpty(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot))
        return refuse(QStringLiteral("GPS folder is not empty"), shapes);

    return checkDatabase(folder);
}

} // namespace DemoTargetCheck
