#include "PlotMapLink.h"

#include "CurrentRowFrame.h"
#include "GridFilter.h"
#include "GridModels.h"
#include "IdentifyTable.h"
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
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTableView>

PlotMapLink::PlotMapLink(ProgramState& state, const ViewState& view, const FieldMap& map,
                         Grid<FarmGridModel> farms, Grid<PlotGridModel> plots,
                         std::function<QList<PlotRow>()> chosen, QObject* parent)
    : QObject(parent), m_state(state), m_view(view), m_map(map), m_farmGrid(farms.view),
      m_farms(farms.model), m_farmFilter(farms.filter), m_fieldGrid(plots.view),
      m_plots(plots.model), m_plotFilter(plots.filter), m_chosen(std::move(chosen))
{
    new CurrentRowFrame(m_fieldGrid, MapHighlight::colour());
    // While the map shows measurements, their window outlines its own.
    connect(m_fieldGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (m_view.kartenanzeige != MapContent::Measurements)
            highlightCurrent();
    });
    for (QTableView* grid : {m_fieldGrid, m_farmGrid})
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_fieldGrid, &QWidget::customContextMenuRequested, this, &PlotMapLink::fieldMenu);
    connect(m_farmGrid, &QWidget::customContextMenuRequested, this, &PlotMapLink::farmMenu);
}

QModelIndex PlotMapLink::shownPlot(int row, int column) const
{
    const QModelIndex shown = m_plotFilter->shownIndex(row);
    return shown.isValid() ? shown.siblingAtColumn(column) : shown;
}

QModelIndex PlotMapLink::shownFarm(int row) const
{
    return m_farmFilter->shownIndex(row);
}

int PlotMapLink::farmRowOf(const QString& farm) const
{
    for (int f = 0; f < m_farms->rowCount(); ++f) {
        if (m_farms->rows().at(f).name.trimmed().compare(farm.trimmed(), Qt::CaseInsensitive) == 0)
            return f;
    }
    return -1;
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
    }
    highlightCurrent();
}

int PlotMapLink::rowOf(const MapTable& table) const
{
    const auto exact = m_rowidOf.constFind(table.filePath());
    if (exact == m_rowidOf.cend() && m_rowidOfFolded.isEmpty()) {
        for (auto it = m_rowidOf.cbegin(); it != m_rowidOf.cend(); ++it)
            m_rowidOfFolded.insert(it.key().toCaseFolded(), it.value());
    }
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
    IdentifyTable text;
    const auto column = [&](int c) {
        text.add(m_plots->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(),
                 m_plots->data(m_plots->index(row, c), Qt::DisplayRole).toString());
    };
    text.add(m_farmGrid->property("caption").toString(), plot.ordner.trimmed());
    for (const int c : {PlotColumns::Name, PlotColumns::Nummer, PlotColumns::Kultur,
                        PlotColumns::Flaeche})
        column(c);
    if (!ShapeMeasures::inDegrees(table, {})) {
        const double areaHa = ShapeMeasures::of(table).areaSquareMetres / 10000.0;
        text.addSentence(fillPlaceholders(textholen(m_state, TextKeys::geometryArea),
                                          {QLocale().toString(areaHa, 'f', 4)}));
    }
    column(PlotColumns::Erntejahr);
    return text.html();
}

bool PlotMapLink::choose(const MapTable& table)
{
    const int row = rowOf(table);
    if (row < 0)
        return false;
    // A find text that hides the plot's row is cleared.
    if (!shownPlot(row).isValid()) {
        if (auto* find =
                m_fieldGrid->window()->findChild<QLineEdit*>(QStringLiteral("txtsucheschlaege")))
            find->clear();
        m_plotFilter->setText(QString());
    }
    // The plot is drawn, so it is among the chosen ones: the selection stays.
    const QModelIndex index = shownPlot(row, PlotColumns::Name);
    if (!index.isValid())
        return false;
    m_fieldGrid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_fieldGrid->scrollTo(index);
    // The frame marks the row among the selected ones, and typing edits it.
    m_fieldGrid->setFocus(Qt::OtherFocusReason);
    const QModelIndex farm = shownFarm(farmRowOf(m_plots->rows().at(row).record.ordner));
    if (farm.isValid())
        m_farmGrid->scrollTo(farm);
    return true;
}

void PlotMapLink::highlightCurrent()
{
    if (!m_map.highlight)
        return;
    const int row = m_plotFilter->sourceRow(m_fieldGrid->currentIndex());
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
    const QModelIndex index = shownFarm(farmRowOf(farm));
    if (!index.isValid())
        return false;
    m_farmGrid->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    return true;
}

void PlotMapLink::fieldMenu(const QPoint& pos)
{
    QModelIndex shown = m_fieldGrid->indexAt(pos);
    if (!shown.isValid())
        shown = m_fieldGrid->currentIndex();
    const int row = m_plotFilter->sourceRow(shown);
    QMenu menu(m_fieldGrid);
    QAction* selection = menu.addAction(textholen(m_state, MapTextKeys::zoomSelection));
    selection->setObjectName(QStringLiteral("mnuzoomauswahl"));
    connect(selection, &QAction::triggered, this, &PlotMapLink::zoomToSelection);
    if (row >= 0 && row < m_plots->rowCount()) {
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
    QModelIndex shown = m_farmGrid->indexAt(pos);
    if (!shown.isValid())
        shown = m_farmGrid->currentIndex();
    const int row = m_farmFilter->sourceRow(shown);
    if (row < 0 || row >= m_farms->rowCount())
        return;
    const QString farm = m_farms->rows().at(row).name.trimmed();
    QMenu menu(m_farmGrid);
    QAction* zoom =
        menu.addAction(fillPlaceholders(textholen(m_state, MapTextKeys::zoomFarm), {farm}));
    zoom->setObjectName(QStringLiteral("mnuzoombetrieb"));
    connect(zoom, &QAction::triggered, this, [this, farm] { zoomToFarm(farm); });
    menu.exec(m_farmGrid->viewport()->mapToGlobal(pos));
}
