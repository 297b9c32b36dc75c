#include "MapPicture.h"

#include "FileGuard.h"
#include "PdfFileTarget.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryFile>

#include <climits>
#include <cstring>

namespace MapPicture {

bool isPicturePath(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0 &&
           !QFileInfo(path).completeBaseName().isEmpty();
}

QImage draw(const QList<const MapView*>& views, const MapExtent& window, const QSize& size,
            const MapStyle& style)
{
    if (size.isEmpty() || size.width() > maxSide || size.height() > maxSide)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(style.background);
    QPainter painter(&image);
    MapRenderer::paint(painter, QRectF(QPointF(0, 0), QSizeF(size)), window, views, style);
    return image;
}

OperationError save(const QImage& image, const QString& path)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    const QString refusal = PdfFileTarget::replaceRefusal(target);
    if (!refusal.isEmpty())
        return {ErrorKind::Refused, refusal, target};
    if (image.isNull())
        return {ErrorKind::InvalidArgument, QStringLiteral("no picture"), target};
    if (const int injected = FileGuard::step(FileGuard::Step::OpenForWriting, target))
        return {ErrorKind::PermissionDenied, QString::fromLocal8Bit(strerror(injected)), target};
    const QFileInfo info(target);
    // The scratch file's name stays within the limit for a name.
    const QString partial = QStringLiteral(".") + info.fileName() + QStringLiteral(".XXXXXX");
    QTemporaryFile scratch(info.absolutePath() + '/' +
                           (QFile::encodeName(partial).size() > NAME_MAX
                                ? QStringLiteral(".sorvan-picture.XXXXXX")
                                : partial));
    if (!scratch.open())
        return {ErrorKind::PermissionDenied, scratch.errorString(), target};
    QImageWriter writer(&scratch, "png");
    if (!writer.write(image) || !scratch.flush())
        return {ErrorKind::PathFileAccess, writer.errorString(), target};
    scratch.close();
    // What took the name meanwhile is as safe as what was there before.
    const QString refusedNow = PdfFileTarget::replaceRefusal(target);
    if (!refusedNow.isEmpty())
        return {ErrorKind::Refused, refusedNow, target};
    const OperationError moved = FileGuard::moveOver(scratch.fileName(), target);
    if (moved.isError())
        return moved;
    scratch.setAutoRemove(false);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                      QFile::ReadOther);
    return OperationError::none();
}

} // namespace MapPicture
