#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

class QTextStream;

// Something the checks after an import found: reported, never blocking.
struct ImportFinding {
    enum class Kind {
        PlotWithoutFarmFolder,
        PlotWithoutShapefiles,
        FarmFolderWithoutRow,
        DuplicatePlot
    };
    Kind kind = Kind::PlotWithoutFarmFolder;
    QString farm; // ordner of the plot, or the farm folder's name
    QString plot; // dateiname; empty for a farm folder
    bool operator==(const ImportFinding&) const = default;
};

// What the import of an Access project database brought over.
struct AccessImportReport {
    int farms = 0;
    int plots = 0;
    int measurements = 0;
    QString keptAs;      // where the Access file is now
    QStringList leftOut; // table.column of the Access file that was not taken over
    QList<ImportFinding> findings;
};

// The output of the import-mdb command, which the viewer reads back: one
// item a line, its fields tab-separated, a tab, line break or backslash
// inside a field written \t, \n, \r or \\. The counts, where the Access file
// was kept and the findings go to standard output; the columns left out and
// a failure go to standard error.
namespace AccessImportOutput {

void writeReport(const AccessImportReport& report, QTextStream& out, QTextStream& err);
void writeFailure(const OperationError& error, QTextStream& err);

AccessImportReport readReport(const QString& out, const QString& err);
// The failure written to err; kind None when there is none.
OperationError readFailure(const QString& err);

} // namespace AccessImportOutput
