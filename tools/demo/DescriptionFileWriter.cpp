#include "DescriptionFileWriter.h"

#include "FileResolver.h"

#include <QFile>

namespace DescriptionFileWriter {

namespace {
QByteArray line(const char* label, const QString& value)
{
    return QByteArray(label).leftJustified(labelWidth, ' ', true) + value.toLatin1() + "\r\n";
}
} // namespace

QByteArray format(const Description& d)
{
    QString title = d.title;
    title.remove(',').remove('"');
    return title.toLatin1() + "\r\n" + line("Flaeche [ha]:", QString::number(d.areaHa, 'f', 4)) +
           line("Umfang [m]:", QString::number(d.perimeterMetres, 'f', 2)) +
           line("max. DOP:", QString::number(d.maxDop, 'f', 1)) +
           line("Punkte:", QString::number(d.pointCount));
}

OperationError write(const QString& folder, const QString& fileName, const Description& description)
{
    if (FileResolver::dateiexistiert(folder, fileName))
        return {ErrorKind::PathFileAccess, QStringLiteral("file exists already"),
                FileResolver::resolve(folder, fileName)};
    const QString path = folder + '/' + fileName;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {file.exists() ? ErrorKind::PathFileAccess : ErrorKind::PathNotFound,
                file.errorString(), path};
    const QByteArray bytes = format(description);
    if (file.write(bytes) != bytes.size())
        return {ErrorKind::PathFileAccess, file.errorString(), path};
    return OperationError::none();
}

} // namespace DescriptionFileWriter
