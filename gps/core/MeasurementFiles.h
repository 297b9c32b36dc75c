#pragma once

#include <QString>

// How a handheld names the files of one measurement in the GPS source folder.
// Working names: base + "F.SHP", "F.SHX", "F.DBF" and base + ".DES". Delivery
// names, as a measurement arrives: base + "_F.SHP", "_F.SHX", "_F.DBF",
// "_F.DES". Suffixes compare ignoring case; the base keeps its case.
namespace MeasurementFiles {

enum class Kind { Other, Delivery, Working };

// What a listed file name is; base gets the measurement's base name for a
// delivery or working shapefile (".SHP").
Kind classify(const QString& fileName, QString* base = nullptr);

// The working and delivery names of base for one of ".SHP", ".SHX", ".DBF",
// ".DES".
QString working(const QString& base, const QString& extension);
QString delivery(const QString& base, const QString& extension);

// The four extensions in the order the files are copied.
inline constexpr const char* extensions[] = {".SHP", ".SHX", ".DBF", ".DES"};

// The template attribute table of the program folder that stands in for a
// missing base + "F.DBF".
inline QString emptyTable()
{
    return QStringLiteral("leer.DBF");
}

} // namespace MeasurementFiles
