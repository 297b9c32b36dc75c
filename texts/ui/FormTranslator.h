#pragma once

#include "OperationError.h"

class QWidget;
class TextCatalogue;
struct ProgramState;

// formuebersetzen: replaces the design-time texts of a window by the catalogue
// texts of language sprache. Which properties of a control are translated
// follows from the first three letters of its objectName:
//   cmd, lbl, dat, chk, opt: text, tooltip; pan: text padded by alignment,
//   tooltip; txt: text, tooltip; mnu (a toolbar of its own: its caption and
//   its tools; the menu bar): per band (the menu bar,
//   each menu, each toolbar) its caption, per tool its caption and tooltip;
//   grd: caption, tooltip, then each column heading by the column's data field.
// Key: form = window's objectName, control = control's (or band's, tool's)
// objectName or the column's data field, property = "caption", "tooltiptext"
// or "text". A key without a row, or with an empty cell in that language,
// keeps the current text. The window caption becomes " " + text.
namespace FormTranslator {

// Returns the first failure of the catalogue (missing file, broken table).
OperationError formuebersetzen(QWidget* window, const TextCatalogue& catalogue, int sprache);

// formuebersetzen with the program's catalogue and language; a failure of the
// catalogue is shown as one message. Nothing happens without a catalogue.
void translateWindow(QWidget* window, ProgramState& state);

// Data field name of a grid column, kept by models in this header role.
constexpr int DataFieldRole = 0x0100 + 77;

} // namespace FormTranslator
