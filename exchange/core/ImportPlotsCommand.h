#pragma once

#include <QStringList>
#include <QTextStream>

// "import-plots --folder DIR FILE [--layer NAME] (--farm NAME | --farm-from
// FIELD) [--name-from FIELD] [--crop-from FIELD] [--year-from FIELD]
// [--dry-run]": imports the file's polygons as plots (PlotImport) and
// prints the report. "--describe" instead of a farm lists the file's layers
// and fields, tab-separated. Returns 0 on success, 2 on a usage error and 1
// when nothing could be imported.
int runImportPlotsCommand(const QStringList& args, QTextStream& out, QTextStream& err);
