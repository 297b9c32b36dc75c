#include "GpsMapLink.h"

#include "DescriptionFile.h"
#include "DopMarkDelegate.h"
#include "DopQuality.h"
#include "FileResolver.h"
#include "CurrentRowFrame.h"
#include "GpsGridModel.h"
#include "IdentifyTable.h"
#include "MapHighlight.h"
#include "MapTable.h"
#include "MapTextKeys.h"
#include "MeasurementFiles.h"
#include "Placeholders.h"
#include "ProgramState.h"
#include "StagingFolder.h"
#include "Texts.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace {
QString keyOf(const QString& dateiname)
{
    return dateiname.trimmed().toCaseFolded();
}
} // namespace

GpsMapLink::GpsMapLink(ProgramState& state, const ViewState& view, const FieldMap& map,
                       QTableView* grid, GpsGridModel* model, QObject* parent)
    : QObject(parent), m_state(state), m_view(view), m_map(map), m_grid(grid), m_model(model)
{
    connect(m_model, &QAbstractItemModel::modelReset, this, &GpsMapLink::readDops);
    new CurrentRowFrame(m_grid, MapHighlight::colour());
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (m_view.kartenanzeige == MapContent::Measurements)
            highlightCurrent();
    });
    // The file name cell carries the mark.
    m_grid->setItemDelegateForColumn(
        0, new DopMarkDelegate(
               m_state,
               [this](const QModelIndex& index) {
                   return maxDop(m_model->rows().value(index.row()).record.dateiname);
               },
               m_grid));
}

void GpsMapLink::readDops()
{
    m_dops.clear();
    for (const GpsRow& row : m_model->rows()) {
        const QString description = FileResolver::resolve(
            m_state.gpspfad, MeasurementFiles::working(row.record.dateiname, QStringLiteral(".DES")));
        const DescriptionFile::Read read = DescriptionFile::read(description);
        m_dops.insert(keyOf(row.record.dateiname),
                      read.error.isError() ? std::nullopt : read.values.maxDop);
    }
}

std::optional<double> GpsMapLink::maxDop(const QString& dateiname) const
{
    return m_dops.value(keyOf(dateiname));
}

int GpsMapLink::rowOf(const MapTable& table) const
{
    const QString key = keyOf(table.baseName());
    const QList<GpsRow>& rows = m_model->rows();
    for (int row = 0; row < rows.size(); ++row) {
        if (keyOf(rows.at(row).record.dateiname) == key)
            return row;
    }
    return -1;
}

QString GpsMapLink::describe(const MapTable& table, int shape) const
{
    const int row = rowOf(table);
    if (row < 0)
        return {};
    const GpsRecord& record = m_model->rows().at(row).record;
    const auto heading = [&](int column) {
        return m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    int points = 0;
    if (shape >= 0 && shape < table.shapes().size()) {
        // A ring repeats its first point at the end: that is no point of its own.
        for (const QPolygonF& part : table.shapes().at(shape).parts)
            points += int(part.size()) - (part.size() > 1 && part.isClosed() ? 1 : 0);
    }
    const std::optional<double> dop = maxDop(record.dateiname);
    IdentifyTable text;
    text.add(heading(0), record.dateiname.trimmed());
    text.add(heading(1), GpsGridModel::shownDate(record.datum));
    text.addSentence(
        fillPlaceholders(textholen(m_state, MapTextKeys::gpsPoints), {QString::number(points)}));
    text.addSentence(dop ? fillPlaceholders(textholen(m_state, MapTextKeys::gpsMaxDop),
                                            {DopQuality::shown(*dop)})
                         : textholen(m_state, MapTextKeys::gpsNoDop));
    const QString reason = DopQuality::reason(m_state, dop, m_state.dopgrenze);
    if (!reason.isEmpty())
        text.addSentence(reason, true);
    return text.html();
}

bool GpsMapLink::choose(const MapTable& table)
{
    const int row = rowOf(table);
    if (row < 0)
        return false;
    const QModelIndex index = m_model->index(row, 0);
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_grid->scrollTo(index);
    m_grid->setFocus(Qt::OtherFocusReason);
    return true;
}

void GpsMapLink::shown()
{
    highlightCurrent();
}

void GpsMapLink::highlightCurrent()
{
    if (!m_map.highlight)
        return;
    const int row = m_grid->currentIndex().row();
    if (row < 0 || row >= m_model->rowCount()) {
        m_map.highlight(QString());
        return;
    }
    // The staging folder holds the measurement under its base name.
    m_map.highlight(StagingFolder::path(m_state.programmpfad) + '/' +
                    m_model->rows().at(row).record.dateiname + QStringLiteral(".SHP"));
}
