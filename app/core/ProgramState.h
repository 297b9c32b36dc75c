#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class SettingsStore;
class TextCatalogue;
class ProjectDatabase;

// The program-wide variables that every window reads and writes. One object
// lives for the whole run and is handed to each window; the program has one
// thread, so nothing here is locked.
struct ProgramState {
    QString programmpfad; // program folder, no trailing slash
    QString gpspfad;      // GPS source folder, no trailing slash
    int sprache = 0;      // language number, 1 = German

    // Message box titles: program title + catalogue text (sprachvariablen).
    QString titeleingabefehler;
    QString titelbedienungsfehler;
    QString titelsicherheitsabfrage;
    QString titelinformation;

    bool eingabemodus = false; // true once the main window has initialised
    double dopgrenze = 4.0;    // largest DOP of a good measurement (DopQuality)
    int datennummer = 1;       // number of the map data source ("Data1")
    int ansichtnummer = 0; // counts the views of one map display run

    QString schlagsortierung = QStringLiteral("Name");
    QString betriebsortierung = QStringLiteral("Name");
    QString gpssortierung = QStringLiteral("Dateiname");
    // Map file (path of its .SHP without extension) -> the plot's file as the
    // rows name it (path without extension), set by whoever prepares a
    // display, so that a file the map cannot draw is marked on the plot list.
    QHash<QString, QString> stagedOrigins;
    // The files (paths without extension, from stagedOrigins) that the last
    // display could not draw.
    QStringList undrawnFiles;

    SettingsStore* settings = nullptr;        // per-user window positions
    const TextCatalogue* catalogue = nullptr; // texte.mdb of the program folder
    ProjectDatabase* database = nullptr;      // GISDATEN.MDB, null when unusable

    static QString programTitle() { return QStringLiteral("Sorvan-GIS-Viewer"); }
    static QString startWindowTitle() { return QStringLiteral("Sorvan-Gis-Viewer"); }

    // Name of the map data source, "Data" + datennummer.
    QString dataSourceName() const { return QStringLiteral("Data") + QString::number(datennummer); }
    // A file or folder of the program folder, found ignoring case.
    QString programFile(const QString& name) const;
};
