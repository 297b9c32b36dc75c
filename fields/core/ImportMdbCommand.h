#pragma once

#include <QStringList>
#include <QTextStream>

// The "import-mdb --folder DIR [FILE]" command of the command-line program;
// args are what follows the command word. Imports the Access project
// database FILE (default: the folder's GISDATEN.MDB) into a new GISDATEN.MDB
// without asking (AccessImport) and writes the outcome as AccessImportOutput
// does. Returns 0 on success, 2 on a usage error and 1 when the import failed.
int runImportMdbCommand(const QStringList& args, QTextStream& out, QTextStream& err);
