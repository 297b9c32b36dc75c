#include "DemoPlan.h"

QString DemoMeasurement::shapeBaseName() const
{
    return baseName + (delivered ? QStringLiteral("_F") : QStringLiteral("F"));
}

QString DemoMeasurement::descriptionFileName() const
{
    return baseName + (delivered ? QStringLiteral("_F.DES") : QStringLiteral(".DES"));
}

QStringList DemoMeasurement::fileNames() const
{
    const QString shape = shapeBaseName();
    QStringList names{shape + QStringLiteral(".SHP"), shape + QStringLiteral(".SHX")};
    if (hasAttributeTable)
        names.append(shape + QStringLiteral(".DBF"));
    names.append(descriptionFileName());
    return names;
}

int DemoPlan::plotCount() const
{
    int count = 0;
    for (const DemoFarm& farm : farms)
        count += int(farm.plots.size());
    return count;
}
