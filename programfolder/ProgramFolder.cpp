#include "ProgramFolder.h"

#include "LanguageFile.h"
#include "PendingChangeRecovery.h"
#include "ProgramFolderSetup.h"

#include <QDir>
#include <QFileInfo>

ProgramFolder::ProgramFolder(const QString& folder)
{
    m_state.programmpfad = QDir::cleanPath(QDir(folder).absolutePath());
}

bool ProgramFolder::open(const Steps& steps)
{
    if (steps.install && (steps.createFolder || QFileInfo(path()).isDir())) {
        const ProgramFolderSetup::Result setup = ProgramFolderSetup::installMissingFiles(path());
        installed = setup.installed;
        setupError = setup.error;
    }
    if (steps.catalogue) {
        catalogueError = m_catalogue.open(path());
        m_state.catalogue = catalogueError.isError() ? nullptr : &m_catalogue;
        m_state.sprache = LanguageFile::read(path()).value_or(1);
    }
    if (steps.database && !reopenDatabase().isError() && steps.recover)
        recoveryError = PendingChangeRecovery::finish(m_state);
    return errors().isEmpty();
}

OperationError ProgramFolder::reopenDatabase()
{
    databaseError = m_database.open(path());
    m_state.database = databaseError.isError() ? nullptr : &m_database;
    return databaseError;
}

QList<OperationError> ProgramFolder::errors() const
{
    QList<OperationError> found;
    for (const OperationError* error :
         {&setupError, &catalogueError, &databaseError, &recoveryError})
        if (error->isError())
            found.append(*error);
    return found;
}
