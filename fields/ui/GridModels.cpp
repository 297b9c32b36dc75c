#include "GridModels.h"

#include "BgrColour.h"
#include "PlotColumns.h"
#include "StagedMeasures.h"

#include <QLocale>

namespace {
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
    case PlotColumns::Flaeche:
        plot.flaeche = value.toDouble();
        break;
    case PlotColumns::Umfang:
        plot.umfang = value.toDouble();
        break;
    case PlotColumns::MaxDop:
        plot.maxDop = value.toDouble();
        break;
    default:
        break;
    }
}
} // namespace

FarmGridModel::FarmGridModel(QObject* parent) : RowGridModel({QStringLiteral("Name")}, parent) {}

QVariant FarmGridModel::data(const QModelIndex& index, int role) const
{
    const FarmRow* row = rowAt(index);
    if (!row)
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) // the tooltip shows a long name whole
        return row->name;
    if (role == BookmarkRole)
        return row->rowid;
    return {};
}

namespace {
QStringList plotFields()
{
    QStringList fields;
    for (int column = 0; column < PlotColumns::Count; ++column)
        fields << PlotColumns::field(column);
    return fields;
}
} // namespace

PlotGridModel::PlotGridModel(Store store, QObject* parent)
    : RowGridModel(plotFields(), parent), m_store(std::move(store))
{
}

void PlotGridModel::setGeometryAreas(const QHash<qint64, double>& areasHa, const QString& tip)
{
    m_geometryHa = areasHa;
    m_geometryTip = tip;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, PlotColumns::Flaeche),
                         index(int(m_rows.size()) - 1, PlotColumns::Flaeche),
                         {Qt::BackgroundRole, Qt::ToolTipRole});
}

bool PlotGridModel::disagreesWithGeometry(int row) const
{
    const auto area = m_geometryHa.constFind(m_rows.at(row).rowid);
    return area != m_geometryHa.constEnd() &&
           StagedMeasures::disagree(m_rows.at(row).record.flaeche, area.value());
}

QVariant PlotGridModel::data(const QModelIndex& index, int role) const
{
    const PlotRow* row = rowAt(index);
    if (!row)
        return {};
    const PlotRecord& plot = row->record;
    const int column = index.column();
    const QVariant value = PlotColumns::value(plot, column);
    switch (role) {
    case BookmarkRole:
        return row->rowid;
    case Qt::EditRole:
        return value.typeId() == QMetaType::Double ? QLocale().toString(value.toDouble(), 'g', 15)
                                                   : value.toString();
    case Qt::DisplayRole: {
        const QLocale locale;
        switch (column) {
        case PlotColumns::Teil:
            return plot.teil == 0 ? QString() : value.toString();
        case PlotColumns::Farbe:
            return QString(); // the swatch (ColourDelegate) shows it

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
        if (column == PlotColumns::Flaeche && disagreesWithGeometry(index.row()))
            return QColor(255, 214, 153);
        return {};
    case Qt::ToolTipRole:
        if (column == PlotColumns::Flaeche && disagreesWithGeometry(index.row()))
            return QString(m_geometryTip)
                .replace(QLatin1String("%1"),
                         QLocale().toString(m_geometryHa.value(row->rowid), 'f', 4));
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
    emit valueStored(index.column());
    return true;
}
