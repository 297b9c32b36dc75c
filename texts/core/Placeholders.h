#pragma once

#include <QString>
#include <QStringList>

// Fills %1 ... %9 of a message text with values.at(0) ... in one pass, so a
// value that itself holds "%1" or "%2" (a folder name, say) goes in as it is.
// A placeholder without a value stays as written, and so does a "%" that is
// not followed by a digit from 1 to 9.
QString fillPlaceholders(const QString& text, const QStringList& values);
