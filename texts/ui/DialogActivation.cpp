#include "DialogActivation.h"

#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "ProgramState.h"

#include <QEvent>
#include <QWidget>

namespace DialogActivation {

void loaded(QWidget* dialog, QWidget* owner, const ProgramState& state)
{
    FormBehaviour::fensteroben(dialog, owner);
    if (state.catalogue)
        FormTranslator::formuebersetzen(dialog, *state.catalogue, state.sprache);
}

void changed(QWidget* dialog, const QEvent* event, FormKeyHandler* keys, const ProgramState& state,
             QWidget* focus)
{
    if (!keys || event->type() != QEvent::ActivationChange || !dialog->isActiveWindow())
        return;
    keys->applyDefaultButton();
    if (state.catalogue)
        FormTranslator::formuebersetzen(dialog, *state.catalogue, state.sprache);
    focus->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace DialogActivation
