// The description file a handheld writes beside each measurement.
#include "DescriptionFile.h"
#include "FuzzInput.h"
#include "FuzzTargets.h"

bool fuzzDescriptionFile(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    const QString path = folder.write(
        QStringLiteral("A.DES"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const DescriptionFile::Read read = DescriptionFile::read(path);
    return !read.error.isError() && read.values.area.has_value();
}
