#pragma once

#include "MapContent.h"

// The windows' shared display flags, owned by the main window and handed to
// the field and GPS windows.
struct ViewState {
    // While true the map rebuilds return at once; set with a
    // QScopedValueRollback around work that changes grids in several steps.
    bool anzeigesperre = false;
    MapContent kartenanzeige = MapContent::Nothing;
};
