#include "GpsGridModel.h"

GpsGridModel::GpsGridModel(QObject* parent)
    : RowGridModel({QStringLiteral("Dateiname"), QStringLiteral("Datum")}, parent)
{
}

QString GpsGridModel::shownDate(const QString& stored)
{
    return stored.right(2) + QLatin1Char('.') + stored.mid(4, 2) + QLatin1Char('.') +
           stored.left(4);
}

QVariant GpsGridModel::data(const QModelIndex& index, int role) const
{
    const GpsRow* row = rowAt(index);
    if (!row)
        return {};
    if (role == BookmarkRole)
        return row->rowid;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.column() == 0)
        return row->record.dateiname;
    return role == Qt::DisplayRole ? shownDate(row->record.datum) : row->record.datum;
}
