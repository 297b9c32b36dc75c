#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The words and colours the demo folder is made of.
namespace DemoVocabulary {

// Farm folder names: letters, digits and spaces only.
QStringList farmNames();
// Plot names as a farmer writes them (may hold umlauts and spaces).
QStringList fieldNames();
QStringList crops();
// Short remarks; empty (not null) entries make some plots go without one.
QStringList remarks();
// Closing words of a measurement's title line ("Feldrand Nord").
QStringList measurementPlaces();
// Distinct, light fill colours as red + 256 * green + 65536 * blue.
QList<qint64> fillColours();

// A plot name made fit for a file name: umlauts spelt out, everything but
// ASCII letters and digits dropped ("Mühlenwiese" -> "Muehlenwiese").
QString fileNameOf(const QString& fieldName);

} // namespace DemoVocabulary
