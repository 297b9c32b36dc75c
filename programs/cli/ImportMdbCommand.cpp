// import-mdb: an Access project database of the earlier version brought over.
#include "AccessImport.h"
#include "CliCommands.h"

namespace {
int importMdb(const CommandLine& line, QTextStream& out, QTextStream& err)
{
    const AccessImport::Result result =
        AccessImport::run(line.value(QStringLiteral("folder")), line.arguments().value(0));
    if (result.error.isError())
        AccessImportOutput::writeFailure(result.error, err);
    else
        AccessImportOutput::writeReport(result.report, out, err);
    return result.error.isError() ? 1 : 0;
}
} // namespace

CliCommand CliCommands::importMdb()
{
    return {QStringLiteral("import-mdb"),
            QStringLiteral("bring the Access project database FILE (default: DIR/GISDATEN.MDB) "
                           "over into a new GISDATEN.MDB of DIR; the Access file in DIR is kept "
                           "as GISDATEN.access.mdb. Prints the counts and findings, on standard "
                           "error the columns left out; exits 1 when nothing was imported"),
            [](CommandLine& line) {
                line.folder().argument("FILE", QStringLiteral("the Access file"));
            },
            ::importMdb};
}
