#pragma once

#include "MapExtent.h"
#include "MapLabels.h"
#include "MapRenderer.h"
#include "OperationError.h"

#include <QImage>
#include <QList>
#include <QSize>

class MapView;

// The map as a picture file: drawn by the map's own paint routine, written so
// that the user's files stay safe.
namespace MapPicture {

enum class Format { None, Png, Svg };

// The format path names by its ending, in any case: ".png" or ".svg" after
// a name; None for anything else.
Format formatOf(const QString& path);
// Whether path names a picture this program writes (formatOf is not None).
bool isPicturePath(const QString& path);

// The views showing at least window on an opaque picture of size pixels,
// with the labels over them when labels is given and shown; a null image
// when size is empty or too large (either side above maxSide).
constexpr int maxSide = 10000;
QImage draw(const QList<const MapView*>& views, const MapExtent& window, const QSize& size,
            const MapStyle& style = {}, const PlotLabels* labels = nullptr);

// Writes image as PNG to path. The picture goes into a scratch file beside
// path and takes the name only when it is complete, replacing a writable
// regular file of that name; a link, a folder, a special file or a
// write-protected file at path is left alone and refused (as for a printed
// PDF). On any failure path is as it was and no scratch file is left behind.
OperationError save(const QImage& image, const QString& path);

// Draws the map as draw() does and writes it to path in the format its name
// gives (formatOf): a PNG picture, or an SVG drawing of size pixels whose
// plots stay shapes and whose labels stay sharp at any zoom. Written as
// save() writes, with the same safety.
OperationError write(const QString& path, const QList<const MapView*>& views,
                     const MapExtent& window, const QSize& size, const MapStyle& style = {},
                     const PlotLabels* labels = nullptr);

} // namespace MapPicture
