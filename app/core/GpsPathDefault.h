#pragma once

#include <QString>

namespace GpsPathDefault {

// The handheld's own data folder: palm/dolvenar under the user's home folder,
// each part found ignoring case.
QString handheldFolder();

// The GPS source folder at start: the program folder's "shapes" sub-folder
// when it holds a "*.shp" file; else the first sub-folder of the handheld
// folder in name order ignoring case; else the program folder. No trailing
// slash.
QString defaultGpsPath(const QString& programFolder, const QString& handheld = handheldFolder());

} // namespace GpsPathDefault
