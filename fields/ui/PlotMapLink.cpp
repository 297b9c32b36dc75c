#include "PlotMapLink.h"

#include "CurrentRowFrame.h"
#include "GridModels.h"
#include "MapHighlight.h"
#include "MapTable.h"
#include "MapTextKeys.h"
#include "Placeholders.h"
#include "PlotColumns.h"
#include "ProgramState.h"
#include "ShapeMeasures.h"
#include "Texts.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLocale>
#include <QMenu>
#include <QTableView>

PlotMapLink::PlotMapLink(ProgramState& state, const FieldMap& map, QTableView* farmGrid,
                         FarmGridModel* farms, QTableView* fieldGrid, PlotGridModel* plots,
                         std::function<QList<PlotRow>()> chosen, QObject* parent)
    : QObject(parent), m_state(state), m_map(map), m_farmGrid(farmGrid), m_farms(farms),
      m_fieldGrid(fieldGrid), m_plots(plots), m_chosen(std::move(chosen))
{
    // While the map shows measurements, their window outlines its own.
    new CurrentRowFrame(m_fieldGrid, MapHighlight::colour());
    connect(m_fieldGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (m_state.kartenanzeige != 1)
            highlightCurrent();
    });
    for (QTableView* grid : {m_fieldGrid, m_farmGrid})
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_fieldGrid, &QWidget::customContextMenuRequested, this, &PlotMapLink::fieldMenu);
    connect(m_farmGrid, &QWidget::customContextMenuRequested, this, &PlotMapLink::farmMenu);
}

void PlotMapLink::shown(const QList<PlotRow>& plots, const FieldLayers::Staged& staged)
{
    m_fileOf.clear();
    m_rowidOf.clear();
    m_rowidOfFolded.clear();
    for (qsizetype k = 0; k < staged.files.size(); ++k) {
        const qint64 rowid = plots.value(staged.places.value(k)).rowid;
        const QString& shp = staged.files.at(k).shpPath;
        m_fileOf.insert(rowid, shp);
        m_rowidOf.insert(shp, rowid);
        m_rowidOfFolded.insert(shp.toCaseFolded(), rowid);
    }
    highlightCurrent();
}

int PlotMapLink::rowOf(const MapTable& table) const
{
    const auto exact = m_rowidOf.constFind(table.filePath());
    const qint64 rowid = exact != m_rowidOf.cend()
                             ? *exact
                             : m_rowidOfFolded.value(table.filePath().toCaseFolded(), -1);
    return rowid < 0 ? -1 : m_plots->rowOf(rowid);
}

QString PlotMapLink::describe(const MapTable& table) const
{
    const int row = rowOf(table);
    if (row < 0)
        return {};
    const PlotRecord& plot = m_plots->rows().at(row).record;
    const auto line = [](const QString& label, const QString& value) {
        return QStringLiteral("<tr><td style=\"padding-right:8px\">%1:</td><td><b>%2</b></td></tr>")
            .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
    };
    const auto column = [&](int c) {
        return line(m_plots->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                    m_plots->data(m_plots->index(row, c), Qt::DisplayRole).toString());
    };
    QString text = QStringLiteral("<table cellspacing=\"0\">");
    text += line(m_farmGrid->property("caption").toString(), plot.ordner.trimmed());
    for (const int c : {PlotColumns::Name, PlotColumns::Nummer, PlotColumns::Kultur,
                        PlotColumns::Flaeche})
        text += column(c);
    if (!ShapeMeasures::inDegrees(table, {})) {
        const double areaHa = ShapeMeasures::of(table).areaSquareMetres / 10000.0;
        text += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>")
                    .arg(fillPlaceholders(textholen(m_state, TextKeys::geometryArea),
                                          {QLocale().toString(areaHa, 'f', 4)})
                             .toHtmlEscaped());
    }
    text += column(PlotColumns::Erntejahr);
    return text + QStringLiteral("</table>");
}

bool PlotMapLink::choose(const MapTable& table)
{
    const int row = rowOf(table);
    if (row < 0)
        return false;
    // The plot is drawn, so it is among the chosen ones: the selection stays.
    const QModelIndex index = m_plots->index(row, PlotColumns::Name);
    m_fieldGrid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_fieldGrid->scrollTo(index);
    // The focus frame marks the row among the selected ones, and typing edits it.
    m_fieldGrid->setFocus(Qt::OtherFocusReason);
    const QString farm = m_plots->rows().at(row).record.ordner.trimmed();
    for (int f = 0; f < m_farms->rowCount(); ++f) {
        if (m_farms->rows().at(f).name.trimmed().compare(farm, Qt::CaseInsensitive) == 0) {
            m_farmGrid->scrollTo(m_farms->index(f, 0));
            break;
        }
    }
    return true;
}

void PlotMapLink::highlightCurrent()
{
    if (!m_map.highlight)
        return;
    const int row = m_fieldGrid->currentIndex().row();
    m_map.highlight(row >= 0 && row < m_plots->rowCount() ? fileOf(m_plots->rows().at(row).rowid)
                                                           : QString());
}

bool PlotMapLink::zoomTo(const QList<qint64>& rowids)
{
    QStringList files;
    for (const qint64 rowid : rowids) {
        const QString file = fileOf(rowid);
        if (!file.isEmpty())
            files.append(file);
    }
    return !files.isEmpty() && m_map.zoomToFiles && m_map.zoomToFiles(files);
}

bool PlotMapLink::zoomToSelection()
{
    QList<qint64> rowids;
    for (const PlotRow& plot : m_chosen())
        rowids.append(plot.rowid);
    return zoomTo(rowids);
}

bool PlotMapLink::zoomToPlot(int row)
{
    if (row < 0 || row >= m_plots->rowCount())
        return false;
    return zoomTo({m_plots->rows().at(row).rowid});
}

bool PlotMapLink::zoomToFarm(const QString& farm)
{
    QList<qint64> rowids;
    for (const PlotRow& plot : m_plots->rows()) {
        if (plot.record.ordner.trimmed().compare(farm.trimmed(), Qt::CaseInsensitive) == 0)
            rowids.append(plot.rowid);
    }
    if (zoomTo(rowids))
        return true;
    // Not drawn: choosing the farm draws its plots and shows them all.
    for (int f = 0; f < m_farms->rowCount(); ++f) {
        if (m_farms->rows().at(f).name.trimmed().compare(farm.trimmed(), Qt::CaseInsensitive) ==
            0) {
            m_farmGrid->selectionModel()->setCurrentIndex(
                m_farms->index(f, 0),
                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return true;
        }
    }
    return false;
}

void PlotMapLink::fieldMenu(const QPoint& pos)
{
    QModelIndex index = m_fieldGrid->indexAt(pos);
    if (!index.isValid())
        index = m_fieldGrid->currentIndex();
    QMenu menu(m_fieldGrid);
    QAction* selection = menu.addAction(textholen(m_state, MapTextKeys::zoomSelection));
    selection->setObjectName(QStringLiteral("mnuzoomauswahl"));
    connect(selection, &QAction::triggered, this, &PlotMapLink::zoomToSelection);
    if (index.isValid() && index.row() < m_plots->rowCount()) {
        const int row = index.row();
        const PlotRecord& plot = m_plots->rows().at(row).record;
        const QString name = plot.name.trimmed().isEmpty() ? plot.dateiname : plot.name;
        QAction* one = menu.addAction(
            fillPlaceholders(textholen(m_state, MapTextKeys::zoomPlot), {name.trimmed()}));
        one->setObjectName(QStringLiteral("mnuzoomschlag"));
        one->setEnabled(!fileOf(m_plots->rows().at(row).rowid).isEmpty());
        connect(one, &QAction::triggered, this, [this, row] { zoomToPlot(row); });
    }
    menu.exec(m_fieldGrid->viewport()->mapToGlobal(pos));
}

void PlotMapLink::farmMenu(const QPoint& pos)
{
    QModelIndex index = m_farmGrid->indexAt(pos);
    if (!index.isValid())
        index = m_farmGrid->currentIndex();
    if (!index.isValid() || index.row() >= m_farms->rowCount())
        return;
    const QString farm = m_farms->rows().at(index.row()).name.trimmed();
    QMenu menu(m_farmGrid);
    QAction* zoom =
        menu.addAction(fillPlaceholders(textholen(m_state, MapTextKeys::zoomFarm), {farm}));
    zoom->setObjectName(QStringLiteral("mnuzoombetrieb"));
    connect(zoom, &QAction::triggered, this, [this, farm] { zoomToFarm(farm); });
    menu.exec(m_farmGrid->viewport()->mapToGlobal(pos));
}
