#include "PlotColumns.h"

#include "ProjectDatabase.h"

#include <QLocale>

#include <cmath>
#include <QVariant>

namespace PlotColumns {

namespace {
const char* const fields[Count] = {"dateiname", "Nummer", "Teil",      "Name",
                                   "Erntejahr", "Kultur", "Anmerkung", "Farbe",
                                   "Flaeche",   "Umfang", "maxDOP"};

bool isNumeric(int column)
{
    return column == Nummer || column == Teil || column == Erntejahr || column == Farbe;
}

// Digits only and at most max; an empty text is 0.
bool digitsUpTo(const QString& text, qint64 max)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        value = value * 10 + (c.unicode() - '0');
        if (value > max)
            return false;
    }
    return true;
}

bool isMeasure(int column)
{
    return column == Flaeche || column == Umfang || column == MaxDop;
}

// The largest area, perimeter or DOP an entry may give.
constexpr double largestMeasure = 999999999;

// A finite number from 0 to largestMeasure in the user's locale or with "."
// as decimal sign ("inf" and "nan" are refused like other non-numbers).
std::optional<double> measure(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    bool ok = false;
    double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(value) && value >= 0 && value <= largestMeasure
               ? std::optional(value)
               : std::nullopt;
}

TextKey messageKey(const char* control)
{
    return {QStringLiteral("schlagdaten"), QString::fromLatin1(control), QStringLiteral("1")};
}
} // namespace

QString field(int column)
{
    return column >= 0 && column < Count ? QString::fromLatin1(fields[column]) : QString();
}

QString editableField(int column)
{
    return column >= Nummer && column <= MaxDop ? field(column) : QString();
}

QVariant value(const PlotRecord& plot, int column)
{
    switch (column) {
    case Dateiname:
        return plot.dateiname;
    case Nummer:
        return plot.nummer;
    case Teil:
        return plot.teil;
    case Name:
        return plot.name;
    case Erntejahr:
        return plot.erntejahr;
    case Kultur:
        return plot.kultur;
    case Anmerkung:
        return plot.anmerkung;
    case Farbe:
        return plot.farbe;
    case Flaeche:
        return plot.flaeche;
    case Umfang:
        return plot.umfang;
    case MaxDop:
        return plot.maxDop;
    default:
        return {};
    }
}

std::optional<TextKey> check(int column, const QString& text)
{
    switch (column) {
    case Nummer:
        return digitsUpTo(text, 9999) ? std::nullopt : std::optional(messageKey("kontrollenummer"));
    case Teil:
        return digitsUpTo(text, 999) ? std::nullopt : std::optional(messageKey("kontrolleteil"));
    case Name:
        return text.size() <= 60 ? std::nullopt : std::optional(messageKey("kontrollename"));
    case Erntejahr:
        return digitsUpTo(text, 9999) ? std::nullopt
                                      : std::optional(messageKey("kontrolleerntejahr"));
    case Kultur:
        return text.size() <= 60 ? std::nullopt : std::optional(messageKey("kontrollekultur"));
    case Anmerkung:
        return text.size() <= 60 ? std::nullopt : std::optional(messageKey("kontrolleanmerkung"));
    case Farbe:
        return digitsUpTo(text, 999999999) ? std::nullopt
                                           : std::optional(messageKey("kontrollefarbe"));
    case Flaeche:
    case Umfang:
    case MaxDop:
        return measure(text) ? std::nullopt : std::optional(messageKey("kontrollemesswert"));
    default:
        return std::nullopt;
    }
}

QVariant storedValue(int column, const QString& text)
{
    if (isMeasure(column))
        return measure(text).value_or(0);
    if (isNumeric(column))
        return text.isEmpty() ? qint64(0) : text.toLongLong();
    return text;
}

} // namespace PlotColumns
