#include "DemoFolderReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

#include <shapefil.h>

#include <cmath>

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

double signedArea(const QList<QPointF>& ring)
{
    double sum = 0;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i) {
        const QPointF a = ring.at(i) - ring.first(), b = ring.at(i + 1) - ring.first();
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum / 2;
}

double perimeter(const QList<QPointF>& ring)
{
    double sum = 0;
    for (qsizetype i = 0; i + 1 < ring.size(); ++i)
        sum += std::hypot(ring.at(i + 1).x() - ring.at(i).x(), ring.at(i + 1).y() - ring.at(i).y());
    return sum;
}

QStringList descriptionItems(const QByteArray& bytes)
{
    QStringList items;
    for (QString line : QString::fromLatin1(bytes).split(QStringLiteral("\r\n"))) {
        while (line.startsWith(' '))
            line.remove(0, 1);
        items.append(line);
    }
    if (!items.isEmpty() && items.last().isEmpty())
        items.removeLast();
    return items;
}

double itemValue(const QString& item)
{
    QString digits;
    for (const QChar c : item.mid(17).trimmed()) {
        if (c.isDigit() || (c == '.' && !digits.contains('.')) || (c == '-' && digits.isEmpty()))
            digits.append(c);
        else if (c != ' ')
            break;
    }
    return digits.toDouble();
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
