#pragma once

class FormKeyHandler;
class QEvent;
class QWidget;
struct ProgramState;

// What the program's small dialogs do as they load and whenever they become
// the active window, in the language of the moment even where the desktop
// does not activate them.
namespace DialogActivation {

// At the end of the constructor: placed above its owner and translated.
void loaded(QWidget* dialog, QWidget* owner, const ProgramState& state);

// From changeEvent: when event made the dialog the active window, the
// default button follows the input mode, the texts are translated again and
// focus gets the focus. keys is null while the constructor still builds the
// dialog (setting its title already sends a change event).
void changed(QWidget* dialog, const QEvent* event, FormKeyHandler* keys, const ProgramState& state,
             QWidget* focus);

} // namespace DialogActivation
