#include "MapPicture.h"

#include "FileGuard.h"
#include "PdfFileTarget.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryFile>

#include <climits>
#include <cstring>
#include <functional>

namespace MapPicture {

namespace {

void paintMap(QPainter& painter, const QList<const MapView*>& views, const MapExtent& window,
              const QSize& size, const MapStyle& style, const PlotLabels* labels)
{
    const QRectF target(QPointF(0, 0), QSizeF(size));
    MapRenderer::paint(painter, target, window, views, style);
    if (labels && labels->shown)
        MapLabels::paint(painter, target, window, views, *labels, LabelStyle::screen());
}

// Writes through writeTo into a scratch file beside path that takes the name
// only when complete (see save()). writeTo returns an empty string on success,
// else why it failed.
OperationError writeSafely(const QString& path,
                           const std::function<QString(QIODevice& device)>& writeTo)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    const QString refusal = PdfFileTarget::replaceRefusal(target);
    if (!refusal.isEmpty())
        return {ErrorKind::Refused, refusal, target};
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
    const QString failure = writeTo(scratch);
    if (!failure.isEmpty() || !scratch.flush())
        return {ErrorKind::PathFileAccess, failure.isEmpty() ? scratch.errorString() : failure,
                target};
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

} // namespace

Format formatOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.completeBaseName().isEmpty())
        return Format::None;
    if (info.suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return Format::Png;
    if (info.suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return Format::Svg;
    return Format::None;
}

bool isPicturePath(const QString& path)
{
    return formatOf(path) != Format::None;
}

QImage draw(const QList<const MapView*>& views, const MapExtent& window, const QSize& size,
            const MapStyle& style, const PlotLabels* labels)
{
    if (size.isEmpty() || size.width() > maxSide || size.height() > maxSide)
        return {};
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(style.background);
    QPainter painter(&image);
    paintMap(painter, views, window, size, style, labels);
    return image;
}

OperationError save(const QImage& image, const QString& path)
{
    if (image.isNull())
        return {ErrorKind::InvalidArgument, QStringLiteral("no picture"),
                QFileInfo(path).absoluteFilePath()};
    return writeSafely(path, [&](QIODevice& device) {
        QImageWriter writer(&device, "png");
        return writer.write(image) ? QString() : writer.errorString();
    });
}

OperationError write(const QString& path, const QList<const MapView*>& views,
                     const MapExtent& window, const QSize& size, const MapStyle& style,
                     const PlotLabels* labels)
{
    if (formatOf(path) != Format::Svg)
        return save(draw(views, window, size, style, labels), path);
    if (size.isEmpty() || size.width() > maxSide || size.height() > maxSide)
        return {ErrorKind::InvalidArgument, QStringLiteral("no picture"),
                QFileInfo(path).absoluteFilePath()};
    return writeSafely(path, [&](QIODevice& device) {
        QSvgGenerator generator;
        generator.setOutputDevice(&device);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(96);
        generator.setTitle(QFileInfo(path).completeBaseName());
        QPainter painter;
        if (!painter.begin(&generator))
            return QStringLiteral("the drawing could not be started");
        paintMap(painter, views, window, size, style, labels);
        return painter.end() ? QString() : QStringLiteral("the drawing could not be completed");
    });
}

} // namespace MapPicture
