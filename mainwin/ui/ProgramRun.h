#pragma once

#include "ProgramFolder.h"
#include "SettingsStore.h"
#include "TextKeys.h"

#include <QString>
#include <memory>

class MainWindow;

// One run of the viewer over a program folder: supplies missing installation
// files, opens the catalogue and the project database, shows the start window
// and loads the main window. Owns everything the windows share.
class ProgramRun {
public:
    struct Options {
        QString programFolder;
        QString settingsFile; // "" = the user's own settings store
        bool startWindow = true;
        // The command-line program that imports an Access project database;
        // "" = sorvan-gis beside the running program.
        QString importProgram;
    };
    explicit ProgramRun(const Options& options);
    ~ProgramRun();

    // Runs the start sequence up to the shown main window. False when the
    // program cannot run (the reason has been shown to the user).
    bool start();

    ProgramState& state() { return m_state; }
    MainWindow* mainWindow() const { return m_mainWindow.get(); }
    // A few lines on what was loaded, for the command line.
    QString loadReport() const;

private:
    // Shows a failure that keeps the program from starting: a file that is not
    // what the program expects in its own words, anything else under the key
    // otherwise. The program folder's catalogue cannot serve then, so the
    // words come from the one built into the program, in the language of
    // SPRACHE.DAT (German without one).
    void reportStartFailure(const OperationError& error, const TextKey& otherwise);
    // Offers to bring the Access project database accessFile over; after an
    // import, opens the new database and shows its farms in the field window.
    // Returns what is left to report: a failed import has been shown already.
    OperationError offerAccessImport(const QString& accessFile);

    Options m_options;
    ProgramFolder m_folder;
    ProgramState& m_state;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<MainWindow> m_mainWindow;
};
