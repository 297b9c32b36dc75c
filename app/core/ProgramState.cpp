#include "ProgramState.h"

#include "FileResolver.h"

QString ProgramState::programFile(const QString& name) const
{
    return FileResolver::resolvePath(programmpfad, name);
}
