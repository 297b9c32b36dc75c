#pragma once

#include "TextKeys.h"

struct ProgramState;

// textholen through the program's catalogue in the current language; "" when
// no catalogue is open.
QString textholen(const ProgramState& state, const TextKey& key);
QString textholen(const ProgramState& state, const QString& form, const QString& control,
                  const QString& property);

// sprachvariablen: the four message titles, program title + catalogue text;
// Qt's own texts follow state.sprache (QtOwnTexts).
void sprachvariablen(ProgramState& state);
