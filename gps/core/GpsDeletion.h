#pragma once

#include "OperationError.h"

#include <QString>
#include <QStringList>

// gpsdatenlöschen without the window: deletes the working files of
// measurements from the GPS source folder.
namespace GpsDeletion {

// Deletes base + "F.SHP", "F.SHX", "F.DBF" and base + ".DES" (base trimmed,
// found ignoring case) of every measurement. Files already gone are passed
// over; delivery files (base + "_F...") are never touched, and neither is a
// link or special file, which is reported as ErrorKind::Refused. Goes on
// after a failure and returns the first one.
OperationError deleteMeasurements(const QString& gpsFolder, const QStringList& measurements);

} // namespace GpsDeletion
