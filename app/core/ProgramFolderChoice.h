#pragma once

#include <QString>

// Which folder the viewer uses as its program folder when the command line
// names none. A program run from where it was built (or unpacked) keeps its
// data beside itself. An installed program cannot: its folder belongs to the
// system. A program counts as installed when its executable lies in
// "<prefix>/bin" and "<prefix>/share/sorvan-gis-viewer" is a folder, which is
// how the package (and "cmake --install") lays it out; it then works in the
// user's own data folder.
namespace ProgramFolderChoice {

// Folder of the installed shared files, relative to the installation prefix.
QString sharedFolder();

bool isInstalled(const QString& executableFolder);

// executableFolder, or userDataFolder for an installed program.
QString defaultFolder(const QString& executableFolder, const QString& userDataFolder);

} // namespace ProgramFolderChoice
