#pragma once

#include "TextKeys.h"

#include <QString>
#include <optional>

struct PlotRecord;
class QVariant;

// The eleven columns of the field grid: 0 Dateiname, 1 Nummer, 2 Teil,
// 3 Name, 4 Erntejahr, 5 Kultur, 6 Anmerkung, 7 Farbe, 8 Flaeche,
// 9 Umfang, 10 maxDOP, each showing the schlagdaten column of that name.
namespace PlotColumns {

enum Column {
    Dateiname,
    Nummer,
    Teil,
    Name,
    Erntejahr,
    Kultur,
    Anmerkung,
    Farbe,
    Flaeche,
    Umfang,
    MaxDop,
    Count
};

// The schlagdaten column name; empty outside 0 to 10.
QString field(int column);
// The field of a column the user may edit (1 to 10); empty otherwise. The
// file name ties a row to its files, so it stays as it is.
QString editableField(int column);

// The stored value of a column of a plot.
QVariant value(const PlotRecord& plot, int column);

// The cell-update check of an edited text: the message key when the text is
// refused, nothing when it may be stored. Numbers: digits only (an empty
// text is 0) up to 9999 (Nummer, Erntejahr), 999 (Teil) or 999999999
// (Farbe); texts: at most 60 characters; Flaeche, Umfang and maxDOP: a
// number of 0 or more in the user's locale or with "." (empty is 0).
std::optional<TextKey> check(int column, const QString& text);

// The value an accepted text is stored as: a number for the numeric columns.
QVariant storedValue(int column, const QString& text);

} // namespace PlotColumns
