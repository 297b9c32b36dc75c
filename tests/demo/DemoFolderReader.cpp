#include "DemoFolderReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <shapefil.h>

namespace DemoFolderReader {

Shape readShape(const QString& path)
{
    Shape shape;
    SHPHandle handle = SHPOpen(QFile::encodeName(path).constData(), "rb");
    if (!handle)
        return shape;
    SHPGetInfo(handle, &shape.records, &shape.type, nullptr, nullptr);
    if (SHPObject* object = shape.records > 0 ? SHPReadObject(handle, 0) : nullptr) {
        shape.parts = object->nParts;
        for (int i = 0; i < object->nVertices; ++i)
            shape.ring.append(QPointF(object->padfX[i], object->padfY[i]));
        SHPDestroyObject(object);
    }
    SHPClose(handle);
    return shape;
}

QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(folder).relativeFilePath(it.next());
        if (relative.compare(QStringLiteral("GISDATEN.MDB"), Qt::CaseInsensitive) != 0)
            files.append(relative);
    }
    files.sort();
    return files;
}

QStringList tableRows(const QString& programFolder, const QString& table)
{
    QStringList rows;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(programFolder + QStringLiteral("/GISDATEN.MDB"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("select * from ") + table);
            while (query.next()) {
                QStringList values;
                for (int c = 0; c < query.record().count(); ++c)
                    values.append(query.value(c).toString());
                rows.append(values.join('|'));
            }
        }
    }
    QSqlDatabase::removeDatabase(connection);
    rows.sort();
    return rows;
}

} // namespace DemoFolderReader
