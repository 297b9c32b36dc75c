#pragma once

#include <QString>
#include <optional>

// "SPRACHE.DAT" in the program folder: one line with the language number.
namespace LanguageFile {

inline QString fileName()
{
    return QStringLiteral("SPRACHE.DAT");
}

// The language stored in the folder's SPRACHE.DAT (found ignoring case), or
// nothing when there is no such file. Of the first item of the file (up to the
// first comma or line end, leading blanks skipped) only the first character
// counts: "12" gives 1. A first character that is no digit gives 0.
std::optional<int> read(const QString& programFolder);

// sprachespeichern: writes the number as decimal digits and a line break,
// replacing the file. Returns false when the file cannot be written.
bool write(const QString& programFolder, int sprache);

} // namespace LanguageFile
