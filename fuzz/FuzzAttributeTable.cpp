// The attribute table (.DBF) as shapelib reads it through the program's
// hooks: every field of every record.
#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "ShapelibHooks.h"

#include <QFile>

#include <algorithm>

bool fuzzAttributeTable(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    const QString path =
        folder.write(QStringLiteral("table.DBF"),
                     QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    ShapelibSession session;
    DbfHandle table(DBFOpenLL(QFile::encodeName(path).constData(), "rb", session.hooks()),
                    &DBFClose);
    if (!table)
        return false;
    // A header may claim thousands of fields and records of 64 KB each; a
    // few records cover every path of the reader.
    const int fields = std::min(DBFGetFieldCount(table.get()), 256);
    const int records = std::min(DBFGetRecordCount(table.get()), 16);
    for (int f = 0; f < fields; ++f) {
        char name[XBASE_FLDNAME_LEN_READ + 1] = {};
        int width = 0;
        int decimals = 0;
        const DBFFieldType type = DBFGetFieldInfo(table.get(), f, name, &width, &decimals);
        for (int r = 0; r < records; ++r) {
            if (DBFIsAttributeNULL(table.get(), r, f))
                continue;
            if (type == FTInteger || type == FTDouble)
                (void)DBFReadDoubleAttribute(table.get(), r, f);
            else
                (void)DBFReadStringAttribute(table.get(), r, f);
        }
    }
    return fields > 0;
}
