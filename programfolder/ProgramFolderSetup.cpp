#include "ProgramFolderSetup.h"

#include "FileGuard.h"
#include "FileResolver.h"
#include "ProjectDatabase.h"
#include "TextCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <shapefil.h>

#include <functional>

namespace ProgramFolderSetup {

namespace {
const QString emptyTableName = QStringLiteral("leer.DBF");
const QString helpResources = QStringLiteral(":/install/help/");

OperationError copyResource(const QString& resource, const QString& scratch)
{
    if (!QFile::copy(resource, scratch))
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot write"), scratch};
    QFile::setPermissions(scratch, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                       QFile::ReadOther);
    return OperationError::none();
}

// Looked up by name, which works in a folder that may be entered but not
// listed, and then in the listing for the name in another case. Any entry
// counts, a link or special file included: it is not the program's to replace.
bool present(const QString& folder, const QString& name)
{
    return FileGuard::entryAt(folder + '/' + name) != FileGuard::Entry::Missing ||
           FileResolver::dateiexistiert(folder, name);
}
} // namespace

QStringList suppliedFiles()
{
    return {ProjectDatabase::fileName(), TextCatalogue::fileName(), emptyTableName};
}

QStringList helpFiles()
{
    return QDir(helpResources).entryList(QDir::Files, QDir::Name);
}

OperationError writeEmptyAttributeTable(const QString& path)
{
    const QFileInfo target(path);
    return FileGuard::createNew(target.absolutePath(), path, [](const QString& scratch) {
        // shapelib names what it creates "<base>.dbf"; the scratch folder is
        // this call's own, so the file is renamed there to its composed name.
        const QFileInfo info(scratch);
        const QString base = info.absolutePath() + '/' + info.completeBaseName();
        DBFHandle handle = DBFCreate(QFile::encodeName(base).constData());
        if (!handle)
            return OperationError{ErrorKind::PathFileAccess, QStringLiteral("cannot create"),
                                  scratch};
        const int field = DBFAddField(handle, "ID", FTInteger, 10, 0);
        DBFClose(handle);
        if (field < 0 || !QFile::rename(base + QStringLiteral(".dbf"), scratch))
            return OperationError{ErrorKind::PathFileAccess, QStringLiteral("cannot write"),
                                  scratch};
        return OperationError::none();
    });
}

Result installMissingFiles(const QString& programFolder)
{
    Result result;
    if (!QDir().mkpath(programFolder)) {
        result.error = {ErrorKind::PathNotFound, QStringLiteral("cannot create folder"),
                        programFolder};
        return result;
    }
    // Each file is created whole under a name nothing else has, so a failure
    // leaves nothing behind and removes nothing.
    using Creator = std::function<OperationError(const QString& target)>;
    auto install = [&](const QString& name, const Creator& create) {
        if (result.error.isError() || present(programFolder, name))
            return;
        result.error = create(programFolder + '/' + name);
        if (result.error.isError())
            return;
        // The pictures go with their pages; the user is told of the pages.
        const bool picture = helpFiles().contains(name) &&
                             !name.endsWith(QLatin1String(".HTM"), Qt::CaseInsensitive);
        (picture ? result.pictures : result.installed).append(name);
    };
    auto viaScratch = [&programFolder](const FileGuard::Writer& writer) -> Creator {
        return [&programFolder, writer](const QString& target) {
            return FileGuard::createNew(programFolder, target, writer);
        };
    };
    install(ProjectDatabase::fileName(), viaScratch([](const QString& scratch) {
                return ProjectDatabase::createEmpty(scratch);
            }));
    install(TextCatalogue::fileName(), viaScratch([](const QString& scratch) {
                return copyResource(QStringLiteral(":/install/texte.mdb"), scratch);
            }));
    install(emptyTableName, writeEmptyAttributeTable);
    for (const QString& name : helpFiles())
        install(name, viaScratch([name](const QString& scratch) {
                    return copyResource(helpResources + name, scratch);
                }));
    return result;
}

} // namespace ProgramFolderSetup
