#pragma once

#include "FieldRows.h"
#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct ProgramState;

// Something the user should know about a farm folder or plot file the
// synchronisation met: it is listed, but not (or not wholly) as expected.
struct PlotNote {
    enum class Kind {
        InDegrees,     // coordinates in degrees: Flaeche and Umfang stay 0
        Refused,       // the map reader refused the file; detail says why
        CaseTwin,      // differs from a listed name only in case: not listed
        UnusableName,  // not valid in the file system's encoding, or too long
    };
    Kind kind = Kind::Refused;
    PlotKey key; // dateiname empty for a farm folder
    QString detail;
};

// What a synchronisation changed. Running it again at once changes nothing:
// no farms and no plot rows are added the second time.
struct SyncChanges {
    QStringList farmsAdded;    // betriebe rows added, by farm name
    QList<PlotKey> plotsAdded; // schlagdaten rows added (anzeigen = 1)
    int rowsMarked = 0;        // existing schlagdaten rows given anzeigen = 1
    QList<PlotNote> notes;     // odd names and files met, each once
    OperationError error;      // the failure; the tables are then as before
    bool cancelled = false;    // stopped through the progress: the tables are as before

    bool hasAdditions() const { return !farmsAdded.isEmpty() || !plotsAdded.isEmpty(); }
};

// Keeps betriebe and schlagdaten in step with the farm folders of the program
// folder, which are the master copy. Rows are never removed here: a plot whose
// files are gone keeps its row with anzeigen = 0. Each operation changes the
// database in one transaction, so a failure leaves the tables as they were.
class FarmListings;

class FieldFolderSync {
public:
    // state names the program folder and the open project database.
    explicit FieldFolderSync(ProgramState& state) : m_state(state) {}

    // Called now and then while schlagdatenabgleichen measures new plots, with
    // the plots gone through and found; false cancels the whole operation.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;
    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Adds a betriebe row for every farm folder that has none (names compared
    // ignoring case), in name order. The window then reloads its farm grid.
    SyncChanges betriebsdatenladen();

    // Sets anzeigen to 1 for exactly the plots found in the folders of the
    // selected farms and to 0 for every other row, adding a row for every
    // plot shapefile that has none. A new row (and a row made so earlier and
    // never changed: Flaeche, Umfang and Farbe 0) gets Flaeche and Umfang from
    // the plot's geometry and a colour of PlotPalette; a value already
    // entered stays. The window then reloads the field grid,
    // selects all its rows and rebuilds the map. The farm folders are listed
    // in listings when given (for the map to use them again), else once for
    // this call.
    SyncChanges schlagdatenabgleichen(const QStringList& selectedFarms,
                                      FarmListings* listings = nullptr);

    // The bookmarks that select every row of the field grid, in its order.
    static QList<qint64> schlagdatenmarkieren(const QList<PlotRow>& fieldGrid);

private:
    ProgramState& m_state;
    Progress m_progress;
};
