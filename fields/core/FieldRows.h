#pragma once

#include "ProjectDatabase.h"

#include <QString>

// What identifies a plot: its farm folder and the base name of its shapefile.
// The database compares both ignoring case.
struct PlotKey {
    QString ordner;
    QString dateiname;
    bool operator==(const PlotKey&) const = default;
};

// A schlagdaten row with its bookmark (the SQLite rowid), as a grid lists it.
struct PlotRow {
    qint64 rowid = 0;
    PlotRecord record;
};

// A betriebe row with its bookmark.
struct FarmRow {
    qint64 rowid = 0;
    QString name;
};
