#pragma once

#include "OperationError.h"

#include <QString>
#include <optional>

// "SPRACHE.DAT" in the program folder: one line with the language number.
namespace LanguageFile {

inline QString fileName()
{
    return QStringLiteral("SPRACHE.DAT");
}

// The language stored in the folder's SPRACHE.DAT (found ignoring case), or
// nothing when there is no such file or it cannot be read; then *error (when
// given) says why, unless the file is simply missing. Only a regular file is
// read: a FIFO or device, or a link leading out of the folder, is refused
// (ErrorKind::Refused) without being read. Of
// the first item of the file (up to the first comma or line end, leading
// blanks skipped) only the first character counts: "12" gives 1. A first
// character that is no digit gives 0.
std::optional<int> read(const QString& programFolder, OperationError* error = nullptr);

// sprachespeichern: writes the number as decimal digits and a line break,
// replacing the file. A link or special file of that name is left alone
// (ErrorKind::Refused). Returns false when the file was not written; then
// *error (when given) says why.
bool write(const QString& programFolder, int sprache, OperationError* error = nullptr);

} // namespace LanguageFile
