#include "AttributeTableWriter.h"

#include "FileResolver.h"
#include "ShapelibNameHooks.h"

#include <QFile>

#include <memory>

namespace AttributeTableWriter {

namespace {
constexpr int numberWidth = 10, textWidth = 60;

bool isNumber(const QVariant& value)
{
    return value.typeId() == QMetaType::Int;
}
} // namespace

OperationError write(const QString& folder, const QString& baseName, const QList<Column>& columns,
                     const QDate& lastChange)
{
    const QString fileName = baseName + QStringLiteral(".DBF");
    if (FileResolver::dateiexistiert(folder, fileName))
        return {ErrorKind::PathFileAccess, QStringLiteral("file exists already"),
                FileResolver::resolve(folder, fileName)};
    const QString path = folder + '/' + fileName;

    SAHooks hooks = ShapelibNameHooks::upperCaseExtensions();
    using DbfHandle = std::unique_ptr<DBFInfo, decltype(&DBFClose)>;
    DbfHandle dbf(
        DBFCreateLL(QFile::encodeName(folder + '/' + baseName).constData(), "LDID/87", &hooks),
        &DBFClose);
    if (!dbf)
        return {ErrorKind::PathFileAccess, QStringLiteral("cannot create attribute table"), path};
    DBFSetLastModifiedDate(dbf.get(), lastChange.year() - 1900, lastChange.month(),
                           lastChange.day());

    for (const Column& column : columns) {
        const bool number = isNumber(column.value);
        if (DBFAddField(dbf.get(), column.name.constData(), number ? FTInteger : FTString,
                        number ? numberWidth : textWidth, 0) < 0)
            return {ErrorKind::PathFileAccess,
                    QStringLiteral("cannot add field %1").arg(QString::fromLatin1(column.name)),
                    path};
    }
    for (int field = 0; field < columns.size(); ++field) {
        const QVariant& value = columns.at(field).value;
        const bool written =
            isNumber(value)
                ? DBFWriteIntegerAttribute(dbf.get(), 0, field, value.toInt())
                : DBFWriteStringAttribute(dbf.get(), 0, field,
                                          value.toString().toLatin1().left(textWidth).constData());
        if (!written)
            return {ErrorKind::PathFileAccess, QStringLiteral("cannot write record"), path};
    }
    return OperationError::none();
}

} // namespace AttributeTableWriter
