#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

// Runs statements on an SQLite file (created when missing) and returns the
// first failure, "" when all ran. "pragma writable_schema = on" first lets a
// test give a table or index a collation SQLite does not know, which it
// refuses to create.
inline QString runStatements(const QString& path, const QStringList& statements)
{
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "test-statements");
        db.setDatabaseName(path);
        if (!db.open())
            failure = db.lastError().text();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (failure.isEmpty() && !query.exec(statement))
                failure = statement + ": " + query.lastError().text();
        }
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase("test-statements");
    return failure;
}

// The statement that renames a collation in the definition of a table or index.
inline QString recollate(const QString& entry, const QString& from, const QString& to)
{
    return QString("update sqlite_master set sql = replace(sql, '%1', '%2') where name = '%3'")
        .arg(from, to, entry);
}

// The first page of an Access database file of the given engine
// ("Standard Jet DB", "Standard ACE DB").
inline QByteArray accessHeader(const char* engine)
{
    QByteArray bytes = QByteArray("\x00\x01\x00\x00", 4) + engine + QByteArray(1, '\0');
    bytes.append(4096 - bytes.size(), '\x5a');
    return bytes;
}
