#pragma once

#include <QList>
#include <QString>

// What the platform reports about the machine the program runs on, for the
// system information window and for support requests.
namespace SystemReport {

struct Item {
    QString name;  // role of the line: "betriebssystem", "kernel", ...
    QString value; // may hold several lines (one per screen)
};

struct Paths {
    QString programFolder;
    QString database;  // "" when the project database is not open
    QString catalogue; // "" when the text catalogue is not open
};

// The names of the lines, in the order collect returns them.
QStringList names();

// Operating system, kernel, Qt version and platform, screens with their
// resolution, locale, and the given paths (native separators).
QList<Item> collect(const Paths& paths);

} // namespace SystemReport
