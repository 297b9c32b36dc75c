#pragma once

#include "OperationError.h"

#include <QList>
#include <QPointF>
#include <QString>

// Writes the geometry files of a polygon shapefile holding one record.
namespace PolygonShapefileWriter {

// Creates folder/baseName.SHP and .SHX with one single-part polygon whose
// ring is given closed and clockwise, in metres. Refuses (PathFileAccess)
// when either file exists already in any case.
OperationError write(const QString& folder, const QString& baseName, const QList<QPointF>& ring);

} // namespace PolygonShapefileWriter
