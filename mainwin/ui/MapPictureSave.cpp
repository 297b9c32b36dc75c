#include "MapPictureSave.h"

#include "MapControl.h"
#include "MapPicture.h"
#include "Messages.h"
#include "Prompter.h"
#include "TextKeys.h"
#include "WaitCursor.h"

#include <QDir>
#include <QFileInfo>

bool saveMapPicture(QWidget* parent, const ProgramState& state, const MapControl& map,
                    const QString& title)
{
    const MapDocument& document = map.document();
    if (!document.dataExtent().valid) {
        Messages::operatingError(parent, state, TextKeys::mapPictureEmpty);
        return false;
    }
    QString path = Prompter::instance().saveFile(parent, title,
                                                 QDir::home().filePath(QStringLiteral("Karte.png")),
                                                 QStringLiteral("PNG (*.png);;SVG (*.svg)"));
    if (path.isEmpty())
        return false;
    if (!MapPicture::isPicturePath(path))
        path += QStringLiteral(".png");
    OperationError error;
    {
        const WaitCursor wait;
        error = MapPicture::write(path, document.views(), document.viewport().window(), map.size(),
                                  map.style(), &map.labels());
    }
    if (error.isError()) {
        Messages::operatingError(
            parent, state, TextKeys::mapPictureFailed,
            {QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), error.detail});
        return false;
    }
    return true;
}
