#include "GridTableModel.h"

#include "FormTranslator.h"

GridTableModel::GridTableModel(QStringList fields, QObject* parent)
    : QAbstractTableModel(parent), m_fields(std::move(fields)), m_captions(m_fields)
{
}

int GridTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == FormTranslator::DataFieldRole)
        return m_fields.at(section);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_captions.at(section);
    return {};
}

bool GridTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                   int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size() ||
        role != Qt::EditRole)
        return false;
    m_captions[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}
