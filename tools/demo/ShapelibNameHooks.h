#pragma once

#include <shapefil.h>

// shapelib composes its file names with lower-case extensions (".shp",
// ".shx", ".dbf"). These hooks write the extension in upper case instead, so
// base "Hohlweg" becomes Hohlweg.SHP, Hohlweg.SHX and Hohlweg.DBF as the
// program folder's files are named. Files are created exclusively and never
// opened through a link; shapelib's removals are ignored.
namespace ShapelibNameHooks {

SAHooks upperCaseExtensions();

} // namespace ShapelibNameHooks
