#include "ProgramFolderSetup.h"

#include "FileResolver.h"
#include "ProjectDatabase.h"
#include "TextCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

namespace ProgramFolderSetup {

namespace {
const QString emptyTableName = QStringLiteral("leer.DBF");

OperationError copyResource(const QString& resource, const QString& target)
{
    QFile::remove(target + QStringLiteral(".part"));
    if (!QFile::copy(resource, target + QStringLiteral(".part")))
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot write"), target};
    QFile::setPermissions(target + QStringLiteral(".part"), QFile::ReadOwner | QFile::WriteOwner |
                                                                QFile::ReadGroup |
                                                                QFile::ReadOther);
    if (!QFile::rename(target + QStringLiteral(".part"), target)) {
        QFile::remove(target + QStringLiteral(".part"));
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot write"), target};
    }
    return OperationError::none();
}
} // namespace

QStringList suppliedFiles()
{
    return {ProjectDatabase::fileName(), TextCatalogue::fileName(), emptyTableName};
}

OperationError writeEmptyAttributeTable(const QString& path)
{
    // shapelib names what it creates "<base>.dbf"; write under a scratch base
    // and give the file its composed name afterwards.
    const QFileInfo target(path);
    const QString scratchBase = target.absolutePath() + QStringLiteral("/leer_in_arbeit");
    const QString scratch = scratchBase + QStringLiteral(".dbf");
    QFile::remove(scratch);
    DBFHandle handle = DBFCreate(QFile::encodeName(scratchBase).constData());
    if (!handle)
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot create"), path};
    const int field = DBFAddField(handle, "ID", FTInteger, 10, 0);
    DBFClose(handle);
    if (field < 0 || !QFile::rename(scratch, path)) {
        QFile::remove(scratch);
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot write"), path};
    }
    return OperationError::none();
}

Result installMissingFiles(const QString& programFolder)
{
    Result result;
    if (!QDir().mkpath(programFolder)) {
        result.error = {ErrorKind::PathNotFound, QStringLiteral("cannot create folder"),
                        programFolder};
        return result;
    }
    auto install = [&](const QString& name, auto&& writer) {
        if (result.error.isError() || FileResolver::dateiexistiert(programFolder, name))
            return;
        const QString target = programFolder + '/' + name;
        const OperationError error = writer(target);
        if (error.isError()) {
            QFile::remove(target);
            result.error = error;
            return;
        }
        result.installed.append(name);
    };
    install(ProjectDatabase::fileName(),
            [](const QString& target) { return ProjectDatabase::createEmpty(target); });
    install(TextCatalogue::fileName(), [](const QString& target) {
        return copyResource(QStringLiteral(":/install/texte.mdb"), target);
    });
    install(emptyTableName, [](const QString& target) { return writeEmptyAttributeTable(target); });
    return result;
}

} // namespace ProgramFolderSetup
