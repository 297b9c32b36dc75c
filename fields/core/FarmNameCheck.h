#pragma once

#include <QString>

// The checks of the new farm dialog. Names as farmers write them pass:
// letters of any language, digits, blanks and punctuation such as &'.,()-.
// Refused are, in this order: 1 an empty name; 3 a path separator (/ or \)
// or a control character; 5 a leading or trailing blank or dot; 4 a folder
// name of the program (temp, shapes, topol in any case); 6 a name longer
// than the file system takes (in UTF-8 bytes); 2 a name that a folder of the
// program folder has already, ignoring case. Returns the first failing check,
// or 0 when the name is accepted. The name is checked as folderName gives it.
namespace FarmNameCheck {

enum Refusal { Accepted = 0, Empty = 1, Exists = 2, Characters = 3, Reserved = 4, Edge = 5,
               TooLong = 6 };

int check(const QString& programFolder, const QString& name);
// The folder name a typed name gives: composed Unicode (NFC), so a letter
// typed as letter plus accent is the same name as the letter typed whole.
QString folderName(const QString& name);
// The longest folder name the program folder's file system takes, in bytes.
int maxNameBytes(const QString& programFolder);

} // namespace FarmNameCheck
