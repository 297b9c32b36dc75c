#pragma once

#include <QString>
#include <QStringList>

// Names for plots and farms that come from a file of another program.
namespace PlotNames {

// The longest plot name and file base name (the Name column's limit).
constexpr int maxLength = 60;

// A base name a farm folder can hold: no separators, control or reserved
// characters ('_' instead), no dot or blank at either end, at most maxLength
// characters; "Schlag" when nothing is left.
QString fileBase(const QString& name);

// A farm name as the new farm dialog accepts it: ASCII letters, digits and
// single blanks (umlauts spelt out, accents dropped, anything else a blank),
// at most maxLength characters; empty when nothing is left.
QString farmName(const QString& value);

// base, or base + "_2", "_3", ... : the first not in taken (ignoring case),
// which then holds it too.
QString unique(const QString& base, QStringList* taken);

} // namespace PlotNames
