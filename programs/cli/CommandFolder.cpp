#include "CommandFolder.h"

#include "CommandLine.h"

#include <QDir>

CommandFolder::CommandFolder(const CommandLine& line, QTextStream& err)
    : ProgramFolder(line.value(QStringLiteral("folder"))), m_command(line.command()), m_err(err)
{
}

bool CommandFolder::open(const Steps& steps)
{
    ProgramFolder::open(steps);
    if (!installed.isEmpty())
        m_err << m_command << ": added to " << QDir::toNativeSeparators(path()) << ": "
              << installed.join(QStringLiteral(", ")) << '\n';
    for (const OperationError* error : {&setupError, &databaseError, &recoveryError})
        if (error->isError())
            report(*error);
    m_err.flush();
    return !databaseError.isError();
}

void CommandFolder::report(const OperationError& error) const
{
    m_err << m_command << ": " << QDir::toNativeSeparators(error.where) << ": " << error.detail
          << '\n';
}

int CommandFolder::fail(const OperationError& error) const
{
    return fail(error.where, error.detail);
}

int CommandFolder::fail(const QString& where, const QString& what) const
{
    report({ErrorKind::InvalidArgument, what, where});
    m_err.flush();
    return 1;
}
