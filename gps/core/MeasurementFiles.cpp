#include "MeasurementFiles.h"

namespace MeasurementFiles {

Kind classify(const QString& fileName, QString* base)
{
    Kind kind = Kind::Other;
    qsizetype suffix = 0;
    if (fileName.endsWith(QLatin1String("_F.SHP"), Qt::CaseInsensitive)) {
        kind = Kind::Delivery;
        suffix = 6;
    } else if (fileName.endsWith(QLatin1String("F.SHP"), Qt::CaseInsensitive)) {
        kind = Kind::Working;
        suffix = 5;
    }
    if (kind != Kind::Other && base)
        *base = fileName.left(fileName.size() - suffix);
    return kind;
}

QString working(const QString& base, const QString& extension)
{
    if (extension.compare(QLatin1String(".DES"), Qt::CaseInsensitive) == 0)
        return base + extension;
    return base + QLatin1Char('F') + extension;
}

QString delivery(const QString& base, const QString& extension)
{
    return base + QLatin1String("_F") + extension;
}

} // namespace MeasurementFiles
