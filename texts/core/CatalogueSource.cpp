#include "CatalogueSource.h"

#include "SqliteConnection.h"

#include <QFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace {
QString unescape(const QString& cell)
{
    QString out;
    out.reserve(cell.size());
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const QChar c = cell.at(i);
        if (c == '\\' && i + 1 < cell.size()) {
            const QChar next = cell.at(i + 1);
            if (next == 'n') {
                out += '\n';
                ++i;
                continue;
            }
            if (next == 't') {
                out += '\t';
                ++i;
                continue;
            }
            if (next == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
} // namespace

CatalogueSource CatalogueSource::parse(const QString& text, QStringList* errors)
{
    CatalogueSource source;
    QSet<QString> keys;
    const QStringList lines = text.split('\n');
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QStringList cells = line.split('\t');
        if (!headerSeen) {
            headerSeen = true;
            source.languageColumns = cells.mid(3);
            continue;
        }
        const int expected = 3 + source.languageColumns.size();
        if (cells.size() != expected) {
            if (errors)
                errors->append(QStringLiteral("line %1: %2 cells, expected %3")
                                   .arg(i + 1)
                                   .arg(cells.size())
                                   .arg(expected));
            continue;
        }
        CatalogueRow row;
        row.form = cells.at(0).trimmed();
        row.control = cells.at(1).trimmed();
        row.property = cells.at(2).trimmed();
        row.line = i + 1;
        for (int c = 3; c < cells.size(); ++c)
            row.texts.append(unescape(cells.at(c)));
        const QString key = (row.form + '\x1f' + row.control + '\x1f' + row.property).toLower();
        if (keys.contains(key)) {
            if (errors)
                errors->append(QStringLiteral("line %1: duplicate key %2/%3/%4")
                                   .arg(i + 1)
                                   .arg(row.form, row.control, row.property));
            continue;
        }
        keys.insert(key);
        source.rows.append(row);
    }
    if (!headerSeen && errors)
        errors->append(QStringLiteral("no header line"));
    return source;
}

CatalogueSource CatalogueSource::parseFile(const QString& path, QStringList* errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (errors)
            errors->append(QStringLiteral("%1: %2").arg(path, file.errorString()));
        return {};
    }
    return parse(QString::fromUtf8(file.readAll()), errors);
}

OperationError CatalogueSource::writeDatabase(const QString& path) const
{
    QFile::remove(path);
    SqliteConnection connection;
    OperationError error = connection.create(path);
    if (error.isError())
        return error;
    QSqlDatabase db = connection.database();
    QStringList columns = {QStringLiteral("form TEXT COLLATE NOCASE"),
                           QStringLiteral("control TEXT COLLATE NOCASE"),
                           QStringLiteral("property TEXT COLLATE NOCASE")};
    for (int i = 0; i < languageColumns.size(); ++i)
        columns.append(QStringLiteral("sprache%1 TEXT").arg(i + 1));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("create table Texte (%1)").arg(columns.join(", "))) ||
        !query.exec(QStringLiteral("create index texte_key on Texte (form, control, property)")))
        return {ErrorKind::Database, query.lastError().text(), path};

    QStringList marks(3 + languageColumns.size(), QStringLiteral("?"));
    db.transaction();
    query.prepare(QStringLiteral("insert into Texte values (%1)").arg(marks.join(',')));
    for (const CatalogueRow& row : rows) {
        query.addBindValue(row.form);
        query.addBindValue(row.control);
        query.addBindValue(row.property);
        for (const QString& text : row.texts)
            query.addBindValue(text.isEmpty() ? QVariant() : QVariant(text));
        if (!query.exec()) {
            db.rollback();
            return {ErrorKind::Database, query.lastError().text(), path};
        }
    }
    if (!db.commit())
        return {ErrorKind::Database, db.lastError().text(), path};
    return OperationError::none();
}
