#pragma once

// Qt's own texts (the buttons of message boxes, the file and folder dialogs)
// follow the program's language: Qt's translations for it are loaded into
// the application, replacing those of the language before.
namespace QtOwnTexts {

// sprache as in the language file (1 German ... 5 Hungarian). Returns false
// when Qt's translations for it are not installed (Qt's English stays).
bool follow(int sprache);

} // namespace QtOwnTexts
