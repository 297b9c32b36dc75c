#include "GridModels.h"

#include "BgrColour.h"
#include "FormTranslator.h"
#include "PlotColumns.h"

#include <QLocale>

namespace {
// Row of each bookmark; of rows with the same bookmark the first counts.
template <typename Rows> QHash<qint64, int> rowsByBookmark(const Rows& rows)
{
    QHash<qint64, int> rowOf;
    rowOf.reserve(rows.size());
    for (int row = int(rows.size()) - 1; row >= 0; --row)
        rowOf.insert(rows.at(row).rowid, row);
    return rowOf;
}

// A record with one column set to value, as stored.
void assign(PlotRecord& plot, int column, const QVariant& value)
{
    switch (column) {
    case PlotColumns::Nummer:
        plot.nummer = value.toInt();
        break;
    case PlotColumns::Teil:
        plot.teil = value.toInt();
        break;
    case PlotColumns::Name:
        plot.name = value.toString();
        break;
    case PlotColumns::Erntejahr:
        plot.erntejahr = value.toInt();
        break;
    case PlotColumns::Kultur:
        plot.kultur = value.toString();
        break;
    case PlotColumns::Anmerkung:
        plot.anmerkung = value.toString();
        break;
    case PlotColumns::Farbe:
        plot.farbe = value.toLongLong();
        break;
    default:
        break;
    }
}
} // namespace

void FarmGridModel::setRows(const QList<FarmRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    m_rowOf = rowsByBookmark(m_rows);
    endResetModel();
}

int FarmGridModel::rowOf(qint64 bookmark) const
{
    return m_rowOf.value(bookmark, -1);
}

int FarmGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FarmGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant FarmGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.at(index.row()).name;
    if (role == BookmarkRole)
        return m_rows.at(index.row()).rowid;
    return {};
}

QVariant FarmGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section != 0)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == FormTranslator::DataFieldRole)
        return QStringLiteral("Name");
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_caption;
    return {};
}

bool FarmGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                  int role)
{
    if (orientation != Qt::Horizontal || section != 0 || role != Qt::EditRole)
        return false;
    m_caption = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

PlotGridModel::PlotGridModel(Store store, QObject* parent)
    : QAbstractTableModel(parent), m_store(std::move(store))
{
    for (int column = 0; column < PlotColumns::Count; ++column)
        m_captions << PlotColumns::field(column);
}

void PlotGridModel::setRows(const QList<PlotRow>& rows)
{
    beginResetModel();
    m_rows = rows;
    m_rowOf = rowsByBookmark(m_rows);
    endResetModel();
}

int PlotGridModel::rowOf(qint64 bookmark) const
{
    return m_rowOf.value(bookmark, -1);
}

int PlotGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PlotGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : PlotColumns::Count;
}

QVariant PlotGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const PlotRecord& plot = m_rows.at(index.row()).record;
    const int column = index.column();
    const QVariant value = PlotColumns::value(plot, column);
    switch (role) {
    case BookmarkRole:
        return m_rows.at(index.row()).rowid;
    case Qt::EditRole:
        return value.typeId() == QMetaType::Double ? QLocale().toString(value.toDouble(), 'g', 15)
                                                   : value.toString();
    case Qt::DisplayRole: {
        const QLocale locale;
        switch (column) {
        case PlotColumns::Teil:
            return plot.teil == 0 ? QString() : value.toString();
        case PlotColumns::Flaeche:
            return locale.toString(plot.flaeche, 'f', 4);
        case PlotColumns::Umfang:
            return locale.toString(plot.umfang, 'f', 0);
        case PlotColumns::MaxDop:
            return locale.toString(plot.maxDop, 'f', 1);
        default:
            return value.toString();
        }
    }
    case Qt::BackgroundRole:
        if (column == PlotColumns::Farbe)
            return BgrColour::toColor(int(plot.farbe));
        return {};
    case Qt::ForegroundRole:
        if (column == PlotColumns::Farbe)
            return BgrColour::toColor(int(plot.farbe)).lightness() < 128 ? QColor(Qt::white)
                                                                         : QColor(Qt::black);
        return {};
    case Qt::TextAlignmentRole:
        if (column >= PlotColumns::Flaeche)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    default:
        return {};
    }
}

QVariant PlotGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= PlotColumns::Count)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == FormTranslator::DataFieldRole)
        return PlotColumns::field(section);
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_captions.at(section);
    return {};
}

bool PlotGridModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                  int role)
{
    if (orientation != Qt::Horizontal || section < 0 || section >= PlotColumns::Count ||
        role != Qt::EditRole)
        return false;
    m_captions[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags PlotGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!PlotColumns::editableField(index.column()).isEmpty())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PlotGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_rows.size() ||
        PlotColumns::editableField(index.column()).isEmpty())
        return false;
    const QString text = value.toString();
    if (const std::optional<TextKey> refused = PlotColumns::check(index.column(), text)) {
        emit entryRefused(*refused);
        return false;
    }
    const QVariant stored = PlotColumns::storedValue(index.column(), text);
    PlotRow& row = m_rows[index.row()];
    if (const OperationError error = m_store(row.rowid, index.column(), stored); error.isError()) {
        emit storeFailed(error);
        return false;
    }
    assign(row.record, index.column(), stored);
    emit dataChanged(index, index);
    return true;
}
