#pragma once

#include <optional>

#include <QString>

// Scales written as text: the main window's scale box, the printed sheet's
// scale and the command line's --scale.
namespace ScaleText {

// The scale box holds at most this many characters.
constexpr int scaleBoxMaxLength = 7;

// The scale denominator typed into the scale box: the number at the start of
// the text rounded to the nearest whole number, 0 when there is none.
qint32 scaleFromText(const QString& text);
// A typed scale as the box accepts it: a whole number of 1 or more, digits
// only (blanks around allowed); nothing for any other text.
std::optional<qint32> wholeScale(const QString& text);
// A scale given on the command line: a whole number from 1 to 9999999.
std::optional<qint32> commandScale(const QString& text);
// The message for a --scale that commandScale refuses.
QString commandScaleRefusal(const QString& text);

} // namespace ScaleText
