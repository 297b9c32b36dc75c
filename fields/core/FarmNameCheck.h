#pragma once

#include <QString>

// The checks of the new farm dialog, in their order: 1 the name is empty
// after trimming; 2 a folder of the program folder (other than the staging
// folder "temp") has that name, trimmed and ignoring case; 3 a character is
// not an ASCII letter, digit or space. Returns the first failing check, or
// 0 when the name is accepted.
namespace FarmNameCheck {
int check(const QString& programFolder, const QString& name);
}
