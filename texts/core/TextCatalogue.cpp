#include "TextCatalogue.h"

#include "FileResolver.h"
#include "SqliteChecks.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

OperationError TextCatalogue::open(const QString& programFolder)
{
    const QString path = FileResolver::resolve(programFolder, fileName());
    OperationError error = m_connection.open(path, true);
    if (error.isError())
        return error;
    error = SqliteChecks::checkTable(
        m_connection.database(), path, QStringLiteral("Texte"),
        {QStringLiteral("form"), QStringLiteral("control"), QStringLiteral("property")}, false);
    const int columns = m_connection.database().record(QStringLiteral("Texte")).count();
    if (!error.isError() && columns < 4) // the German texts follow the key
        error = {ErrorKind::ColumnMissing, QStringLiteral("Texte.sprache1"), path};
    if (error.isError()) {
        m_connection.close();
        return error;
    }
    m_columnCount = columns - 3;
    return OperationError::none();
}

int TextCatalogue::effectiveLanguage(int sprache) const
{
    return (sprache >= 1 && sprache <= m_columnCount) ? sprache : 1;
}

TextCatalogue::Row TextCatalogue::fetch(const QString& form, const QString& control,
                                        const QString& property, int sprache) const
{
    Row row;
    m_lastError = OperationError::none();
    if (!m_connection.isOpen()) {
        m_lastError = {ErrorKind::FileNotFound, QStringLiteral("catalogue not open"), fileName()};
        return row;
    }
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("select * from Texte where form = ? and control = ? and "
                                 "property = ? limit 1"));
    query.addBindValue(form.trimmed());
    query.addBindValue(control.trimmed());
    query.addBindValue(property.trimmed());
    if (!query.exec()) {
        m_lastError = {ErrorKind::Database, query.lastError().text(), fileName()};
        return row;
    }
    if (!query.next())
        return row;
    row.found = true;
    const int chosenColumn = effectiveLanguage(sprache) + 2;
    const QVariant chosen = query.value(chosenColumn);
    const QVariant german = query.value(3);
    row.chosenNull = chosen.isNull() || chosen.toString().isEmpty();
    row.chosen = chosen.toString();
    row.germanNull = german.isNull() || german.toString().isEmpty();
    row.german = german.toString();
    return row;
}

QString TextCatalogue::textholen(const QString& form, const QString& control,
                                 const QString& property, int sprache) const
{
    const Row row = fetch(form, control, property, sprache);
    if (!row.found)
        return {};
    if (!row.chosenNull)
        return row.chosen;
    return row.germanNull ? QString() : row.german;
}

std::optional<QString> TextCatalogue::lookupExact(const QString& form, const QString& control,
                                                  const QString& property, int sprache) const
{
    const Row row = fetch(form, control, property, sprache);
    if (!row.found || row.chosenNull)
        return std::nullopt;
    return row.chosen;
}
