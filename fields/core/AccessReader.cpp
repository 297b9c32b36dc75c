#include "AccessReader.h"

#include "FileGuard.h"
#include "SqliteChecks.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <mdbtools.h>
#include <memory>
#include <vector>

namespace {

constexpr qint64 largestAccessFile = qint64(2) << 30; // the engine's limit
constexpr size_t textBufferSize = 64 * 1024;          // a Text(255) needs at most 765 bytes

struct HandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using Handle = std::unique_ptr<MdbHandle, HandleCloser>;
using Table = std::unique_ptr<MdbTableDef, TableFreer>;

OperationError damaged(const QString& path, const QString& why)
{
    return {ErrorKind::AccessDamaged, why, path};
}

// Bytes a value of a type of fixed size takes in a row; 0 for text, memo,
// binary and Yes/No (kept in the row's null mask) and for types not known.
int fixedSize(int type)
{
    switch (type) {
    case MDB_BYTE:
        return 1;
    case MDB_INT:
        return 2;
    case MDB_LONGINT:
    case MDB_FLOAT:
        return 4;
    case MDB_MONEY:
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return 8;
    case MDB_REPID:
        return 16;
    case MDB_NUMERIC:
        return 17;
    default:
        return 0;
    }
}

AccessValueKind valueKind(int type)
{
    switch (type) {
    case MDB_TEXT:
        return AccessValueKind::Text;
    case MDB_BOOL:
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
        return AccessValueKind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return AccessValueKind::Real;
    default:
        return AccessValueKind::Unreadable;
    }
}

// Bytes a value of a type the program reads takes in a row; 0 for text and
// Yes/No, -1 for a type that is not read.
int valueSize(int type)
{
    return valueKind(type) == AccessValueKind::Unreadable ? -1 : fixedSize(type);
}

// A column name as it can be shown: characters that cannot be printed as "?".
QString shownName(const QString& name)
{
    QString shown = name;
    for (QChar& c : shown) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    return shown;
}

// What is wrong with the raw definition page of a table: column entries or
// names that run past the definition, or more columns than a row can have. A
// definition continued on further pages is left to the library's reading.
QString definitionFault(MdbHandle* mdb, const QByteArray& bytes, guint32 page)
{
    const MdbFormatConstants* fmt = mdb->fmt;
    const qint64 pageSize = fmt->pg_size;
    if ((qint64(page) + 1) * pageSize > bytes.size())
        return QStringLiteral("its definition lies beyond the end of the file");
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData()) + qint64(page) * pageSize;
    if (data[0] != 0x02)
        return QStringLiteral("its definition page is of another kind");
    if (qFromLittleEndian<quint32>(data + 4) != 0)
        return {};
    const qint64 limit =
        std::min<qint64>(pageSize, qint64(qFromLittleEndian<quint32>(data + 8)) + 8);
    const int columns = qFromLittleEndian<quint16>(data + fmt->tab_num_cols_offset);
    const int rowColumns = qFromLittleEndian<quint16>(data + fmt->tab_num_cols_offset - 4);
    const qint64 indexEntries = qFromLittleEndian<quint32>(data + fmt->tab_num_ridxs_offset);
    if (columns > rowColumns)
        return QStringLiteral("it lists %1 columns, its rows have %2").arg(columns).arg(rowColumns);
    qint64 position = fmt->tab_cols_start_offset + indexEntries * fmt->tab_ridx_entry_size +
                      qint64(columns) * fmt->tab_col_entry_size;
    const int lengthSize = IS_JET3(mdb) ? 1 : 2;
    for (int i = 0; i < columns && position <= limit; ++i) {
        if (position + lengthSize > limit) {
            position = limit + 1;
            break;
        }
        const int length =
            lengthSize == 1 ? data[position] : qFromLittleEndian<quint16>(data + position);
        position += lengthSize + length;
    }
    if (position > limit)
        return QStringLiteral("its %1 columns do not fit its definition").arg(columns);
    return {};
}

// What is wrong with the columns as the library read them: names empty,
// unprintable or repeated, two columns in one place of the row, a fixed-size
// type of another size, a fixed value outside any row or over another.
QString columnFault(MdbHandle* mdb, MdbTableDef* table)
{
    QSet<QString> names;
    QSet<int> rowPlaces;
    QSet<unsigned> variablePlaces;
    struct Span {
        int start;
        int end;
        QString column;
    };
    QList<Span> spans;
    for (guint i = 0; i < table->num_cols; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        const QString name = QString::fromUtf8(column->name);
        if (name.trimmed().isEmpty())
            return QStringLiteral("column %1 has no name").arg(i + 1);
        if (shownName(name) != name)
            return QStringLiteral("the name of column %1 cannot be printed").arg(shownName(name));
        if (names.contains(name.toCaseFolded()))
            return QStringLiteral("column %1 is listed twice").arg(name);
        names.insert(name.toCaseFolded());
        if (rowPlaces.contains(column->row_col_num))
            return QStringLiteral("column %1 shares its place in the row").arg(name);
        rowPlaces.insert(column->row_col_num);
        if (column->col_type == MDB_BOOL)
            continue;
        const int size = fixedSize(column->col_type);
        if (!column->is_fixed) {
            if (size > 0)
                return QStringLiteral(
                           "column %1 of a fixed-size type is stored as of variable size")
                    .arg(name);
            if (variablePlaces.contains(column->var_col_num))
                return QStringLiteral("column %1 shares its place in the row").arg(name);
            variablePlaces.insert(column->var_col_num);
            continue;
        }
        if (size > 0 && column->col_size != size)
            return QStringLiteral("column %1 is of a type of %2 bytes but %3 bytes long")
                .arg(name)
                .arg(size)
                .arg(column->col_size);
        if (column->col_size <= 0 || column->fixed_offset < 0 ||
            column->fixed_offset + column->col_size > mdb->fmt->pg_size)
            return QStringLiteral("column %1 lies outside the row").arg(name);
        spans.append({column->fixed_offset, column->fixed_offset + column->col_size, name});
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    for (qsizetype i = 1; i < spans.size(); ++i) {
        if (spans.at(i).start < spans.at(i - 1).end)
            return QStringLiteral("columns %1 and %2 overlap in the row")
                .arg(spans.at(i - 1).column, spans.at(i).column);
    }
    return {};
}

// The value of one field of the row on the current page; false when the field
// does not fit the page or a text fills the whole buffer (and may be cut).
bool fieldValue(MdbHandle* mdb, const MdbColumn& column, const MdbField& field, QVariant* value)
{
    *value = QVariant();
    if (column.col_type == MDB_BOOL) { // kept in the row's null mask: set means Yes
        *value = qint64(field.is_null ? 0 : 1);
        return true;
    }
    const int size = valueSize(column.col_type);
    if (field.is_null || size < 0)
        return true;
    if (field.start < 0 || field.siz < size || field.start + field.siz > mdb->fmt->pg_size)
        return false;
    void* page = mdb->pg_buf;
    switch (column.col_type) {
    case MDB_BYTE:
        *value = qint64(mdb_get_byte(page, field.start));
        return true;
    case MDB_INT:
        *value = qint64(qint16(mdb_get_int16(page, field.start)));
        return true;
    case MDB_LONGINT:
        *value = qint64(qint32(mdb_get_int32(page, field.start)));
        return true;
    case MDB_FLOAT:
        *value = double(mdb_get_single(page, field.start));
        return true;
    case MDB_DOUBLE:
        *value = mdb_get_double(page, field.start);
        return true;
    default:
        break;
    }
    char* text = mdb_col_to_string(mdb, page, field.start, MDB_TEXT, field.siz);
    if (!text)
        return false;
    const size_t length = std::strlen(text);
    *value = QString::fromUtf8(text, qsizetype(length));
    g_free(text);
    return length + 8 < textBufferSize;
}

// Every data page the table's usage map names lies inside the file.
bool pagesInside(MdbHandle* mdb, MdbTableDef* table, qint64 pageCount)
{
    guint32 page = 0;
    for (;;) {
        const gint32 next = mdb_map_find_next(mdb, table->usage_map, guint(table->map_sz), page);
        if (next <= 0)
            return true;
        if (next >= pageCount || guint32(next) <= page)
            return false;
        page = guint32(next);
    }
}

MdbCatalogEntry* findTable(MdbHandle* mdb, const QString& name)
{
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry) &&
            name.compare(QString::fromUtf8(entry->object_name), Qt::CaseInsensitive) == 0)
            return entry;
    }
    return nullptr;
}

OperationError readTable(MdbHandle* mdb, MdbCatalogEntry* entry, const QByteArray& bytes,
                         const QString& path, AccessTable* result)
{
    const QString name = QString::fromUtf8(entry->object_name);
    const qint64 pageCount = bytes.size() / mdb->fmt->pg_size;
    if (const QString fault = definitionFault(mdb, bytes, guint32(entry->table_pg));
        !fault.isEmpty())
        return damaged(path, QStringLiteral("table %1: %2").arg(name, fault));
    const Table table(mdb_read_table(entry));
    if (!table || !mdb_read_columns(table.get()))
        return damaged(path, QStringLiteral("table %1 cannot be read").arg(name));
    if (const QString fault = columnFault(mdb, table.get()); !fault.isEmpty())
        return damaged(path, QStringLiteral("table %1: %2").arg(name, fault));
    if (!pagesInside(mdb, table.get(), pageCount))
        return damaged(path, QStringLiteral("table %1 names pages beyond the end").arg(name));
    result->name = name;
    const guint columnCount = table->num_cols;
    for (guint i = 0; i < columnCount; ++i) {
        const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        result->columns << QString::fromUtf8(column->name);
        result->kinds << valueKind(column->col_type);
        if (valueSize(column->col_type) < 0)
            result->unreadable << result->columns.last();
    }
    std::vector<MdbField> fields(std::max<guint>(columnCount, 1));
    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        // The row just fetched is on the current page: its fields as stored.
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, int(table->cur_row) - 1, &start, &size) != 0)
            return damaged(path, QStringLiteral("a row of %1 cannot be found").arg(name));
        // Columns added after a row was written are missing from it and come as null.
        const int rowStart = start & 0x1fff;
        if (mdb_crack_row(table.get(), rowStart, size, fields.data()) < 0)
            return damaged(path, QStringLiteral("a row of %1 cannot be read").arg(name));
        // Fixed values lie before the variable ones: where these begin, the
        // fixed part of the row ends.
        qint64 fixedEnd = qint64(rowStart) + qint64(size);
        for (guint i = 0; i < columnCount; ++i) {
            if (!fields[i].is_fixed && !fields[i].is_null && fields[i].siz > 0)
                fixedEnd = std::min<qint64>(fixedEnd, fields[i].start);
        }
        QVariantList row(columnCount);
        for (guint i = 0; i < columnCount; ++i) {
            const MdbField& field = fields[i];
            if (field.colnum < 0 || guint(field.colnum) >= columnCount)
                return damaged(path, QStringLiteral("a row of %1 cannot be read").arg(name));
            const auto* column =
                static_cast<MdbColumn*>(g_ptr_array_index(table->columns, field.colnum));
            if (!field.is_null && column->col_type != MDB_BOOL &&
                (field.start < rowStart || field.siz < 0 ||
                 qint64(field.start) + field.siz >
                     (field.is_fixed ? fixedEnd : qint64(rowStart) + qint64(size))))
                return damaged(path, QStringLiteral("a value of %1.%2 lies outside its row")
                                         .arg(name, QString::fromUtf8(column->name)));
            if (!fieldValue(mdb, *column, field, &row[field.colnum]))
                return damaged(path, QStringLiteral("a value of %1.%2 cannot be read")
                                         .arg(name, QString::fromUtf8(column->name)));
        }
        result->rows.append(row);
    }
    if (result->rows.size() != qsizetype(table->num_rows))
        return damaged(path, QStringLiteral("table %1 records %2 rows, %3 can be read")
                                 .arg(name)
                                 .arg(table->num_rows)
                                 .arg(result->rows.size()));
    return OperationError::none();
}

} // namespace

namespace AccessReader {

OperationError read(const QString& path, const QStringList& tableNames, QList<AccessTable>* tables)
{
    tables->clear();
    QFile file;
    if (OperationError error = FileGuard::openForReading(file, path); error.isError())
        return error;
    if (file.size() > largestAccessFile)
        return damaged(path, QStringLiteral("larger than an Access file can be"));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size())
        return {ErrorKind::PathFileAccess, file.errorString(), path};

    if (!SqliteChecks::isAccessHeader(bytes.left(20)))
        return {ErrorKind::NotADatabase, QStringLiteral("no Access database"), path};
    // The library converts text to the character set MDBICONV names, to UTF-8
    // without it, which is what is read here.
    qunsetenv("MDBICONV");
    const Handle mdb(mdb_open_buffer(bytes.data(), size_t(bytes.size()), MDB_NOFLAGS));
    if (!mdb)
        return damaged(path, QStringLiteral("not readable as an Access database"));
    const qint64 pageSize = mdb->fmt->pg_size;
    if (bytes.size() % pageSize != 0)
        return damaged(
            path,
            QStringLiteral("cut short: %1 bytes are no whole number of pages").arg(bytes.size()));
    mdb_set_bind_size(mdb.get(), textBufferSize);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE))
        return damaged(path, QStringLiteral("the list of tables cannot be read"));
    for (const QString& name : tableNames) {
        MdbCatalogEntry* entry = findTable(mdb.get(), name);
        if (!entry)
            return {ErrorKind::TableMissing, name, path};
        AccessTable table;
        if (OperationError error = readTable(mdb.get(), entry, bytes, path, &table);
            error.isError()) {
            tables->clear();
            return error;
        }
        tables->append(table);
    }
    return OperationError::none();
}

} // namespace AccessReader
