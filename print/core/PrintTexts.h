#pragma once

#include "TextKeys.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ProgramState;

// Catalogue keys of the printed sheet and of the print run's messages.
namespace PrintTextKeys {
// Column headings ("Drucken", control, "1"), in the order of the list's columns.
QList<TextKey> headings();
inline const TextKey sum{"Drucken", "Summe", "1"};    // label of the list's sum line
inline const TextKey gpsSum{"Drucken", "Summe", "2"}; // label of the GPS total line
inline const TextKey undrawn{"Drucken", "Schlag", "2"}; // mark of a plot the map could not draw
inline const TextKey subtotal{"Drucken", "Summe", "3"}; // %1 crop or farm of a subtotal line
inline const TextKey noCrop{"Drucken", "Kultur", "2"};  // the crop of plots without one
// Messages of the print run.
inline const TextKey failed{"drucken", "Fehler", "1"}; // %1 printer or file
inline const TextKey noExtent{"drucken", "Fehler", "2"};
inline const TextKey scaleNotPositive{"drucken", "Fehler", "3"}; // %1 scale box text
inline const TextKey nothingToDraw{"drucken", "Fehler", "4"};
inline const TextKey pageTooSmall{"drucken", "Fehler", "5"};
QList<TextKey> all();
} // namespace PrintTextKeys

// The texts a sheet carries. The defaults are the German ones, used where no
// catalogue is open (a program folder without texte.mdb).
struct PrintTexts {
    QString title = QStringLiteral("Sorvan-GIS-Viewer");
    QStringList headings = {QStringLiteral("Betrieb"), QStringLiteral("Schlag"),
                            QStringLiteral("Fläche"),  QStringLiteral("Jahr"),
                            QStringLiteral("Kultur"),  QStringLiteral("Anmerkung")};
    QString sum = QStringLiteral("Summe:");
    QString gpsSum = QStringLiteral("Gesamtfläche:");
    QString undrawn = QStringLiteral("nicht gezeichnet");
    QString subtotal = QStringLiteral("Zwischensumme %1:");
    QString noCrop = QStringLiteral("ohne Kultur");
    QString scaleCaption = QStringLiteral(" Maßstab:  1: ");

    // The catalogue's texts in the state's language; a key without text keeps
    // its default. The scale caption is that of the main window's panmassstab.
    static PrintTexts fromCatalogue(const ProgramState& state);

    // The label of a subtotal line of a crop or a farm.
    QString subtotalLabel(const QString& name) const
    {
        return QString(subtotal).replace(QLatin1String("%1"), name);
    }

    // The list's label of a plot the map could not draw: "(mark) label".
    QString undrawnLabel(const QString& label) const
    {
        return QStringLiteral("(%1) %2").arg(undrawn, label);
    }
};
