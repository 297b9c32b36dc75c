#include "Texts.h"

#include "ProgramState.h"
#include "QtOwnTexts.h"
#include "TextCatalogue.h"

QString textholen(const ProgramState& state, const QString& form, const QString& control,
                  const QString& property)
{
    if (!state.catalogue)
        return {};
    return state.catalogue->textholen(form, control, property, state.sprache);
}

QString textholen(const ProgramState& state, const TextKey& key)
{
    return textholen(state, key.form, key.control, key.property);
}

void sprachvariablen(ProgramState& state)
{
    const QString title = ProgramState::programTitle();
    state.titeleingabefehler = title + textholen(state, TextKeys::titleEntryError);
    state.titelbedienungsfehler = title + textholen(state, TextKeys::titleOperatingError);
    state.titelsicherheitsabfrage = title + textholen(state, TextKeys::titleSafetyQuestion);
    state.titelinformation = title + textholen(state, TextKeys::titleInformation);
    QtOwnTexts::follow(state.sprache);
}
