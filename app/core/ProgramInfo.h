#pragma once

#include <QString>

// What the program says about itself: version, date, and where users get
// support. The values are fixed when the build is configured.
namespace ProgramInfo {

// The version as the about window shows it: major.minor.revision, each number
// in plain decimal without leading zeros. A four-part file version drops its
// third part, the build number ("2005.0.0.9" shows as "2005.0.9"); a shorter
// one is shown with its parts, missing ones as 0 ("2026.1" as "2026.1.0").
QString versionText(const QString& fileVersion);

// versionText of the project version.
QString version();
// The program date as the about window shows it, "dd.mm.yyyy".
QString programDate();

QString supportMailAddress();
QString webAddress();

// The support mail link, byte for byte:
// "mailto:" address "?subject=Support-Anfrage&body=Programm:%20" title
// "%0D%0AVersion:%20" version "%20vom%20" date
// "%0D%0A%0AAnfrage%20/%20Genaue%20Fehlerbeschreibung:".
// The parts are put in as given, without further encoding.
QString supportMailLink(const QString& address, const QString& title, const QString& version,
                        const QString& date);

} // namespace ProgramInfo
