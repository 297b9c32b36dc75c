#pragma once

#include "FieldFolderSync.h"
#include "OperationError.h"
#include "PlotMeasurement.h"

#include <QString>
#include <QStringList>

struct PlotRecord;
struct ProgramState;

// Tab-separated listings of farms and plots for the command line, made by the
// same synchronisation and queries as the farm and field window. Numbers are
// plain with "." as decimal sign; a tab, line break or backslash inside a
// text is written as \t, \n, \r or \\.
namespace FieldListing {

struct Listing {
    QStringList lines;
    QList<PlotNote> notes; // odd folders and files met (PlotNotes), for standard error
    OperationError error;  // lines is empty when set
};

// Synchronises the farm folders with all farms selected, then one line per
// farm in farm order: name, number of plots found in its folder, their total
// area in hectares with four decimals. Plot files the map reader refuses are
// counted and named in notes, every run.
Listing farms(ProgramState& state);

// Synchronises with the named farms selected (all farms when none is named;
// names match ignoring case) and lists their plots in file-name order: a
// header line of the schlagdaten columns, then one line per plot; two last
// columns tell whether the map reader reads the file (lesbar, 1 or 0) and
// give the area in hectares taken from its geometry (Flaeche_Geometrie,
// empty when there is none, as for coordinates in degrees). A name
// that is no farm fails the listing.
Listing plots(ProgramState& state, const QStringList& farmNames);

// value with a tab, line break or backslash written as \t, \n, \r or \\.
QString escaped(QString value);

QString plotHeader();
QString plotLine(const PlotRecord& plot, const PlotMeasurement::Result& geometry);

} // namespace FieldListing
