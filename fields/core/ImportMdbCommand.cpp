#include "ImportMdbCommand.h"

#include "AccessImport.h"

namespace {
int usageError(QTextStream& err, const char* why)
{
    err << "import-mdb: " << why << "\nusage: sorvan-gis import-mdb --folder DIR [FILE]\n";
    err.flush();
    return 2;
}
} // namespace

int runImportMdbCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString folder;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) != QLatin1String("--folder")) {
            files << args.at(i);
            continue;
        }
        if (i + 1 >= args.size() || args.at(i + 1).isEmpty())
            return usageError(err, "no value for --folder");
        folder = args.at(++i);
    }
    if (folder.isEmpty())
        return usageError(err, "no program folder given");
    if (files.size() > 1)
        return usageError(err, "more than one file given");

    const AccessImport::Result result = AccessImport::run(folder, files.value(0));
    if (result.error.isError())
        AccessImportOutput::writeFailure(result.error, err);
    else
        AccessImportOutput::writeReport(result.report, out, err);
    out.flush();
    err.flush();
    return result.error.isError() ? 1 : 0;
}
