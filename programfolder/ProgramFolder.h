#pragma once

#include "OperationError.h"
#include "ProgramState.h"
#include "ProjectDatabase.h"
#include "TextCatalogue.h"

#include <QString>
#include <QStringList>

// One program folder opened for a run: the supplied files it lacked put in,
// its text catalogue and language read, its project database opened and a
// change cut short last time finished. Owns the catalogue and the database
// that state() points to, so it stays where it was made.
class ProgramFolder {
public:
    struct Steps {
        bool createFolder = false; // create a missing folder (else nothing is installed in it)
        bool install = true;       // put missing supplied files into the folder
        bool catalogue = true;     // open texte.mdb and read the language
        bool database = true;      // open GISDATEN.MDB
        bool recover = true;       // finish a recorded change (needs the database)
    };

    // folder: as given; kept absolute, cleaned, without a trailing slash.
    explicit ProgramFolder(const QString& folder);
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    // Runs the steps in order. Each failure is kept in its own field below;
    // a step that fails leaves its pointer in state() null and the later
    // steps still run where they can. True when nothing failed.
    bool open(const Steps& steps);
    // Opens the project database again (after it was replaced).
    OperationError reopenDatabase();

    ProgramState& state() { return m_state; }
    const ProgramState& state() const { return m_state; }
    ProjectDatabase& database() { return m_database; }
    const QString& path() const { return m_state.programmpfad; }

    QStringList installed;     // supplied files put into the folder
    OperationError setupError; // first supplied file that could not be written
    OperationError catalogueError;
    OperationError databaseError;
    OperationError recoveryError; // the recorded change stays for the next start

    // The failures in the order the steps ran, those that happened only.
    QList<OperationError> errors() const;

private:
    ProgramState m_state;
    TextCatalogue m_catalogue;
    ProjectDatabase m_database;
};
