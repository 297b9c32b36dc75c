#pragma once

#include <QStringList>
#include <QTextStream>

// "export --folder DIR --out FILE [--farm NAME]... [--format GPKG|ESRI
// Shapefile|GeoJSON|KML] [--force]": writes the farms' plots with their rows
// into one vector file (PlotExport) and prints what it wrote. Returns 0 on
// success, 2 on a usage error and 1 when no file was written.
int runExportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
