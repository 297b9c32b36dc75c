#include "GpsGridModel.h"

#include "FormTranslator.h"
#include "GridModels.h"

namespace {
const QStringList fields{QStringLiteral("Dateiname"), QStringLiteral("Datum")};
}

void GpsGridModel::setRows(const QList<GpsRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    endResetModel();
}

int GpsGridModel::rowOf(qint64 bookmark) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).rowid == bookmark)
            return row;
    }
    return -1;
}

QString GpsGridModel::shownDate(const QString& stored)
{
    return stored.right(2) + QLatin1Char('.') + stored.mid(4, 2) + QLatin1Char('.') +
           stored.left(4);
}

int GpsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int GpsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant GpsGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const GpsRow& row = m_rows.at(index.row());
    if (role == BookmarkRole)
        return row.rowid;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.column() == 0)
        return row.record.dateiname;
    return role == Qt::DisplayRole ? shownDate(row.record.datum) : row.record.datum;
}

QVariant GpsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= 2)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == FormTranslator::DataFieldRole)
        return fields.at(section);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_captions.at(section);
    return {};
}

bool GpsGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                 int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= 2 || role != Qt::EditRole)
        return false;
    m_captions[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}
