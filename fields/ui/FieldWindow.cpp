#include "FieldWindow.h"

#include "ColourDelegate.h"
#include "DelayedProgress.h"
#include "DopMarkDelegate.h"
#include "FarmListings.h"
#include "FieldDeletion.h"
#include "FieldFolderSync.h"
#include "FieldLayers.h"
#include "FieldQueries.h"
#include "FileGuard.h"
#include "FileResolver.h"
#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "GridCaption.h"
#include "GridFilter.h"
#include "GridModels.h"
#include "Messages.h"
#include "NewFarmDialog.h"
#include "OrderedSelection.h"
#include "PaneActivation.h"
#include "PaneTools.h"
#include "PlotColumns.h"
#include "PlotMapLink.h"
#include "PlotLabelTexts.h"
#include "PlotNotes.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "SortOrders.h"
#include "StagedMeasures.h"
#include "StagingFolder.h"
#include "TextCatalogue.h"
#include "Texts.h"
#include "Twips.h"
#include "WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {
// The smallest grids a small window keeps, in pixels.
constexpr int minimalGridHeight = 40, minimalGridWidth = 80;
// The farm list's share of the width at most when it widens for its names.
constexpr double farmListShare = 0.4;

QTableView* makeGrid(QWidget* parent, const char* name, const char* caption)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setProperty("caption", QString::fromUtf8(caption));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid->verticalHeader()->setDefaultSectionSize(20);
    return grid;
}
} // namespace

FieldWindow::FieldWindow(ProgramState& state, ViewState& view, FieldMap map, QWidget* owner)
    : QWidget(nullptr), m_state(state), m_view(view), m_map(std::move(map)), m_owner(owner)
{
    setObjectName(QStringLiteral("schlagdaten"));
    setWindowTitle(QStringLiteral("Ansichten"));
    buildControls();
    new FormKeyHandler(this, m_state, QStringLiteral("schlagdaten.HTM"));
}

FieldWindow::~FieldWindow() = default;

void FieldWindow::buildControls()
{
    m_farmTools = PaneTools::toolbar(this, "mnu1");
    connect(PaneTools::add(m_farmTools, "tb1neu", "Betrieb/Ordner neu anlegen",
                           QStyle::SP_FileDialogNewFolder),
            &QAction::triggered, this, &FieldWindow::betriebanlegen);
    connect(
        PaneTools::add(m_farmTools, "tb1loeschen", "Betrieb/Ordner löschen", QStyle::SP_TrashIcon),
        &QAction::triggered, this, &FieldWindow::betriebloeschen);
    m_fieldTools = PaneTools::toolbar(this, "mnu2");
    connect(PaneTools::add(m_fieldTools, "tb2loeschen", "Grenzlinie löschen", QStyle::SP_TrashIcon),
            &QAction::triggered, this, &FieldWindow::deleteChosenPlots);

    m_farms = new FarmGridModel(this);
    m_farmGrid = makeGrid(this, "grdbetriebe", "Betrieb/Ordner");
    m_farmFilter = new GridFilter(m_farms, {0}, this);
    m_farmGrid->setModel(m_farmFilter);
    m_farmGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_farmGrid->horizontalHeader()->setStretchLastSection(true);
    m_farmGrid->verticalHeader()->hide(); // the narrow grid keeps its width for the names
    m_farmSelection = new OrderedSelection(m_farmGrid, BookmarkRole);

    m_plots = new PlotGridModel(
        [this](qint64 rowid, int column, const QVariant& value) {
            if (!m_state.database)
                return ProjectDatabase::notOpen(m_state.programmpfad);
            return FieldQueries(*m_state.database).setPlotValue(rowid, column, value);
        },
        this);
    m_fieldGrid = makeGrid(this, "grdschlagdaten", "Flächen");
    // The find field looks for name, number and crop.
    m_plotFilter = new GridFilter(
        m_plots, {PlotColumns::Name, PlotColumns::Nummer, PlotColumns::Kultur}, this);
    m_fieldGrid->setModel(m_plotFilter);
    m_fieldGrid->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    m_fieldGrid->setItemDelegate(new ColourDelegate(
        PlotColumns::Farbe,
        [](QWidget* parent, const QColor& initial) {
            return Prompter::instance().colour(parent, QString(), initial);
        },
        m_fieldGrid));
    m_fieldGrid->horizontalHeader()->setSectionsClickable(true);
    m_fieldSelection = new OrderedSelection(m_fieldGrid, BookmarkRole);
    // A farm list whose chosen farms the find field hid chooses the current
    // (else the first) farm shown, as a list always has one chosen.
    connect(m_farmFilter, &GridFilter::filtered, this, [this] {
        QItemSelectionModel* selection = m_farmGrid->selectionModel();
        if (m_farmFilter->rowCount() == 0 || selection->hasSelection())
            return;
        const QModelIndex current = m_farmGrid->currentIndex();
        selection->setCurrentIndex(current.isValid() ? current : m_farmFilter->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });
    // What a filter change does to the selection is taken up once it is done.
    for (const auto& [filter, selection] :
         {std::pair{m_farmFilter, m_farmSelection}, std::pair{m_plotFilter, m_fieldSelection}}) {
        connect(filter, &GridFilter::aboutToFilter, selection, &OrderedSelection::hold);
        connect(filter, &GridFilter::filtered, selection, &OrderedSelection::release);
    }
    m_fieldGrid->setItemDelegateForColumn(
        PlotColumns::MaxDop,
        new DopMarkDelegate(
            m_state,
            [this](const QModelIndex& index) -> std::optional<double> {
                return m_plots->rows().value(m_plotFilter->sourceRow(index)).record.maxDop;
            },
            m_fieldGrid));
    m_mapLink = new PlotMapLink(m_state, m_view, m_map, {m_farmGrid, m_farms, m_farmFilter},
                                {m_fieldGrid, m_plots, m_plotFilter},
                                [this] { return chosenPlots(); }, this);

    // Each grid under its caption and toolbar; the farm list and the field
    // grid share the width by a splitter the user can move.
    const auto pane = [](QWidget* parent, QTableView* grid, QToolBar* tools, GridFilter* filter,
                         const char* findName, const char* placeholder) {
        auto* box = new QWidget(parent);
        auto* find = new FilterField(filter, QString::fromLatin1(findName), box);
        find->setPlaceholderText(QString::fromUtf8(placeholder));
        find->setToolTip(find->placeholderText());
        auto* head = new QHBoxLayout;
        head->setContentsMargins(0, 0, 0, 0);
        head->addWidget(GridCaption::create(grid, box));
        head->addStretch();
        head->addWidget(tools);
        tools->setMinimumWidth(tools->sizeHint().width()); // never folded away
        auto* column = new QVBoxLayout(box);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(2);
        column->addLayout(head);
        column->addWidget(find);
        column->addWidget(grid, 1);
        QWidget::setTabOrder(find, grid);
        grid->setMinimumSize(minimalGridWidth, minimalGridHeight);
        return box;
    };
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitschlagdaten"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(pane(m_splitter, m_farmGrid, m_farmTools, m_farmFilter,
                               "txtsuchebetriebe", "Betrieb suchen (Strg+F)"));
    m_splitter->addWidget(pane(m_splitter, m_fieldGrid, m_fieldTools, m_plotFilter,
                               "txtsucheschlaege", "Schlag suchen (Strg+F)"));
    // Ctrl+F anywhere in the window holding this one (the main window when
    // docked): the find field of the farm list when it has the focus, else
    // the field grid's.
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        const bool farmPane = focus && m_splitter->widget(0)->isAncestorOf(focus);
        auto* field = m_splitter->widget(farmPane ? 0 : 1)->findChild<FilterField*>();
        field->setFocus(Qt::ShortcutFocusReason);
        field->selectAll();
    });
    m_splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_splitter);

    // Turning to the window from elsewhere takes up new farm folders and
    // brings the plots back onto a map that shows measurements.
    connect(new PaneActivation(this), &PaneActivation::activated, this, &FieldWindow::onActivated);

    m_farmGrid->viewport()->installEventFilter(this);
    connect(m_farmSelection, &OrderedSelection::changed, this, [this] {
        // The click that follows would set the one-farm order and run
        // everything again: it is taken now, so a click runs it once.
        if (m_farmPress && m_farmSelection->bookmarks().size() == 1)
            m_state.schlagsortierung = SortOrders::plotSingleFarm();
        schlagdatenabgleichen();
    });
    connect(m_farmGrid, &QTableView::clicked, this, &FieldWindow::onFarmClicked);
    connect(m_fieldSelection, &OrderedSelection::changed, this, &FieldWindow::schlagdatenanzeigen);
    connect(m_fieldGrid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FieldWindow::onHeaderClicked);
    connect(m_plots, &PlotGridModel::entryRefused, this,
            [this](const TextKey& key) { Messages::entryError(this, m_state, key); });
    // A stored Farbe or Flaeche shows at once on the map and in the area box,
    // a stored Name in the plot's label.
    connect(m_plots, &PlotGridModel::valueStored, this, [this](int column) {
        if (column == PlotColumns::Farbe || column == PlotColumns::Flaeche
            || column == PlotColumns::Name)
            schlagdatenanzeigen();
    });
    connect(m_plots, &PlotGridModel::storeFailed, this, [this](const OperationError& error) {
        Messages::failure(this, m_state, TextKeys::cellStoreFailed, error);
    });
    resize(Twips::toPixels(defaultWidth), Twips::toPixels(defaultHeight));
}

void FieldWindow::load()
{
    translate();
    m_state.betriebsortierung = SortOrders::farmDefault();
    m_state.schlagsortierung = SortOrders::plotDefault();
    betriebsdatenladen();
}

void FieldWindow::translate()
{
    FormTranslator::translateWindow(this, m_state);
}

void FieldWindow::onActivated()
{
    // Messages of these runs are shown once, not at every activation.
    const Messages::RepeatGuard once(QStringLiteral("schlagdatenaktivierung"));
    takeUpNewFarms();
    if (m_view.kartenanzeige == MapContent::Measurements)
        schlagdatenanzeigen();
}

void FieldWindow::refresh()
{
    const WaitCursor wait;
    takeUpNewFarms();
    schlagdatenabgleichen();
}

template <typename Run> SyncChanges FieldWindow::synchronised(Run run)
{
    const WaitCursor wait;
    const QScopedValueRollback lock(m_view.anzeigesperre, true);
    FieldFolderSync sync(m_state);
    return run(sync);
}

void FieldWindow::takeUpNewFarms()
{
    if (!m_state.database)
        return;
    const SyncChanges changes =
        synchronised([](FieldFolderSync& sync) { return sync.betriebsdatenladen(); });
    if (changes.error.isError()) {
        Messages::failure(this, m_state, TextKeys::syncFailed, changes.error);
        return;
    }
    if (changes.farmsAdded.isEmpty())
        return;
    // The new farms join the list; the farms chosen stay chosen, the map as it is.
    const QList<qint64> chosen = m_farmSelection->bookmarks();
    const QModelIndex currentIndex = m_farmGrid->currentIndex();
    const qint64 current =
        currentIndex.isValid() ? currentIndex.data(BookmarkRole).toLongLong() : -1;
    OperationError error;
    const QList<FarmRow> rows =
        FieldQueries(*m_state.database).farmGrid(m_state.betriebsortierung, &error);
    if (error.isError()) {
        Messages::failure(this, m_state, TextKeys::syncFailed, error);
        return;
    }
    const QSignalBlocker quiet(m_farmSelection);
    m_farms->setRows(rows);
    QItemSelectionModel* selection = m_farmGrid->selectionModel();
    if (const int row = m_farms->rowOf(current); row >= 0)
        selection->setCurrentIndex(m_farmFilter->shownIndex(row), QItemSelectionModel::NoUpdate);
    for (const qint64 bookmark : chosen) {
        if (const int row = m_farms->rowOf(bookmark); row >= 0)
            selection->select(m_farmFilter->shownIndex(row),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    fitFarmList();
}

void FieldWindow::fitFarmList()
{
    // The farm list widens for its longest name, up to a share of the window;
    // a longer name shows whole in its tooltip.
    const QFontMetrics metrics(m_farmGrid->font());
    int longest = metrics.horizontalAdvance(m_farmGrid->property("caption").toString());
    for (const FarmRow& farm : m_farms->rows())
        longest = std::max(longest, metrics.horizontalAdvance(farm.name));
    const int wanted = longest + 16 + m_farmGrid->frameWidth() * 2 +
                       m_farmGrid->verticalScrollBar()->sizeHint().width();
    const int total = m_splitter->width();
    QList<int> sizes = m_splitter->sizes();
    if (sizes.size() != 2 || total <= 0 || sizes.at(0) >= wanted)
        return;
    const int farmWidth = std::min(wanted, int(total * farmListShare));
    if (farmWidth <= sizes.at(0))
        return;
    m_splitter->setSizes({farmWidth, total - farmWidth - m_splitter->handleWidth()});
}

void FieldWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    fitFarmList();
}

bool FieldWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_farmGrid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick)
            m_farmPress = true;
        else if (event->type() == QEvent::MouseButtonRelease)
            // Cleared once the release (and the click it makes) is handled.
            QTimer::singleShot(0, this, [this] { m_farmPress = false; });
    }
    return QWidget::eventFilter(watched, event);
}

void FieldWindow::deleteChosenPlots()
{
    {
        const QScopedValueRollback lock(m_view.anzeigesperre, true);
        schlagdatenloeschen();
    }
    schlagdatenabgleichen();
}

QStringList FieldWindow::chosenFarms() const
{
    QStringList farms;
    for (const qint64 bookmark : m_farmSelection->bookmarks()) {
        const int row = m_farms->rowOf(bookmark);
        if (row >= 0)
            farms.append(m_farms->rows().at(row).name);
    }
    const int current = m_farmFilter->sourceRow(m_farmGrid->currentIndex());
    if (farms.isEmpty() && current >= 0)
        farms.append(m_farms->rows().at(current).name);
    return farms;
}

QList<PlotRow> FieldWindow::chosenPlots(bool* fromSelection) const
{
    QList<PlotRow> plots;
    for (const qint64 bookmark : m_fieldSelection->bookmarks()) {
        const int row = m_plots->rowOf(bookmark);
        if (row >= 0)
            plots.append(m_plots->rows().at(row));
    }
    if (fromSelection)
        *fromSelection = !plots.isEmpty();
    const int current = m_plotFilter->sourceRow(m_fieldGrid->currentIndex());
    if (plots.isEmpty() && current >= 0)
        plots.append(m_plots->rows().at(current));
    return plots;
}

int FieldWindow::farmCount() const
{
    return m_farmFilter->rowCount();
}

int FieldWindow::selectedFarmCount() const
{
    return int(m_farmSelection->bookmarks().size());
}

QString FieldWindow::currentFarm() const
{
    if (m_farmFilter->rowCount() == 0)
        return {};
    const QModelIndex current = m_farmGrid->currentIndex();
    return m_farms->rows()
        .at(m_farmFilter->sourceRow(current.isValid() ? current : m_farmFilter->index(0, 0)))
        .name;
}

void FieldWindow::onFarmClicked()
{
    // A click on one farm lists its plots by file name, number and part; the
    // selection change has synchronised already, so only a changed order
    // needs another run.
    if (m_farmSelection->bookmarks().size() > 1 ||
        m_state.schlagsortierung == SortOrders::plotSingleFarm())
        return;
    m_state.schlagsortierung = SortOrders::plotSingleFarm();
    schlagdatenladen();
    schlagdatenabgleichen();
}

void FieldWindow::onHeaderClicked(int column)
{
    const QString order = SortOrders::plotOrderForColumn(column);
    if (!order.isEmpty())
        m_state.schlagsortierung = order;
    schlagdatenladen();
}

void FieldWindow::betriebsdatenladen(const QString& chosenFarm)
{
    if (!m_state.database)
        return;
    const SyncChanges changes =
        synchronised([](FieldFolderSync& sync) { return sync.betriebsdatenladen(); });
    if (changes.error.isError())
        Messages::failure(this, m_state, TextKeys::syncFailed, changes.error);
    reportNotes(changes.notes);
    betriebesortieren(chosenFarm);
}

void FieldWindow::betriebesortieren(const QString& chosenFarm)
{
    if (!m_state.database)
        return;
    OperationError error;
    const QList<FarmRow> rows =
        FieldQueries(*m_state.database).farmGrid(m_state.betriebsortierung, &error);
    if (error.isError())
        Messages::failure(this, m_state, TextKeys::syncFailed, error);
    m_farms->setRows(rows);
    if (rows.isEmpty()) {
        schlagdatenabgleichen();
        return;
    }
    // The first farm (or the one named) becomes current and chosen, which
    // synchronises it.
    int row = 0;
    for (int i = 0; i < rows.size() && !chosenFarm.isEmpty(); ++i) {
        if (rows.at(i).name.trimmed().compare(chosenFarm, Qt::CaseInsensitive) == 0) {
            row = i;
            break;
        }
    }
    // A farm the find field hides is shown again.
    if (!m_farmFilter->shownIndex(row).isValid())
        m_splitter->widget(0)->findChild<FilterField*>()->clear();
    const QModelIndex shown = m_farmFilter->shownIndex(row);
    m_farmGrid->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    m_farmGrid->scrollTo(shown);
    fitFarmList();
}

void FieldWindow::schlagdatenabgleichen()
{
    if (!m_state.database)
        return;
    // Measuring many new plots shows its progress and can be cancelled,
    // which leaves the database, the grid and the map as they were.
    const QStringList farms = chosenFarms();
    DelayedProgress progress(this, textholen(m_state, TextKeys::readingPlots));
    // The map finds the plots in the listings the synchronisation makes.
    FarmListings listings(m_state.programmpfad);
    const QScopedValueRollback shareListings(m_clickListings, &listings);
    const SyncChanges changes = synchronised([&farms, &progress, &listings](FieldFolderSync& sync) {
        sync.setProgress(std::ref(progress));
        return sync.schlagdatenabgleichen(farms, &listings);
    });
    if (changes.cancelled)
        return;
    if (changes.error.isError()) {
        Messages::failure(this, m_state, TextKeys::syncFailed, changes.error);
        return;
    }
    schlagdatenladen();
    schlagdatenmarkieren();
    schlagdatenanzeigen();
    reportNotes(changes.notes);
}

void FieldWindow::showGeometryAreas(const QList<PlotRow>& shown, const FieldLayers::Staged& staged)
{
    QHash<qint64, double> areas;
    const QHash<int, double> measured = StagedMeasures::areasHa(staged);
    for (auto area = measured.cbegin(); area != measured.cend(); ++area)
        areas.insert(shown.at(area.key()).rowid, area.value());
    m_plots->setGeometryAreas(areas, textholen(m_state, TextKeys::geometryArea));
}

void FieldWindow::reportNotes(const QList<PlotNote>& notes)
{
    if (!notes.isEmpty())
        Messages::information(this, m_state, TextKeys::plotNotes,
                              {PlotNotes::lines(m_state, notes).join(QLatin1Char('\n'))});
}

void FieldWindow::schlagdatenladen()
{
    if (!m_state.database)
        return;
    OperationError error;
    const QList<PlotRow> rows =
        FieldQueries(*m_state.database).fieldGrid(m_state.schlagsortierung, &error);
    if (error.isError())
        Messages::failure(this, m_state, TextKeys::syncFailed, error);
    const QScopedValueRollback lock(m_view.anzeigesperre, true);
    m_plots->setRows(rows);
    if (m_plotFilter->rowCount() > 0)
        m_fieldGrid->selectionModel()->setCurrentIndex(m_plotFilter->index(0, 0),
                                                       QItemSelectionModel::NoUpdate);
}

void FieldWindow::schlagdatenmarkieren()
{
    if (m_plotFilter->rowCount() == 0)
        return;
    const QScopedValueRollback lock(m_view.anzeigesperre, true);
    m_fieldGrid->selectAll();
}

void FieldWindow::schlagdatenanzeigen()
{
    if (m_view.anzeigesperre)
        return;
    m_state.ansichtnummer = 0;
    const WaitCursor wait;
    m_state.datennummer = 1;
    if (m_map.release)
        m_map.release();
    const QList<PlotRow> chosen = chosenPlots();
    QList<PlotRecord> plots;
    for (const PlotRow& row : chosen)
        plots.append(row.record);
    const FieldLayers::Staged staged =
        FieldLayers::stage(m_state.programmpfad, plots, m_clickListings);
    if (staged.error.isError()) {
        Messages::failure(this, m_state, TextKeys::mapRebuildFailed, staged.error);
        return;
    }
    if (plots.isEmpty() && m_map.showArea)
        m_map.showArea(0); // the emptied map shows no stale total
    if (plots.isEmpty() || !m_map.displayFiles)
        return;
    m_state.stagedOrigins = staged.origins;
    if (m_map.labelTexts)
        m_map.labelTexts(PlotLabelTexts::of(staged, plots));
    const bool shown =
        m_map.displayFiles(StagingFolder::path(m_state.programmpfad), staged.files, staged.colours);
    m_state.stagedOrigins.clear();
    if (!shown)
        return;
    if (m_map.showArea)
        m_map.showArea(staged.areaHa);
    showGeometryAreas(chosen, staged);
    m_mapLink->shown(chosen, staged);
    m_view.kartenanzeige = MapContent::Plots;
}

void FieldWindow::betriebanlegen()
{
    NewFarmDialog dialog(m_state, this);
    const QString name = dialog.ask().trimmed();
    if (name.isEmpty())
        return;
    const QString path = m_state.programmpfad + '/' + name;
    OperationError error;
    // A folder of that name in any case exists already (the staging folder
    // "temp" for the name Temp): the folder cannot be made.
    if (FileResolver::dateiexistiert(m_state.programmpfad, name))
        error = {ErrorKind::PathFileAccess, QString::fromLocal8Bit(std::strerror(EEXIST)), path};
    else
        error = FileGuard::createFolder(m_state.programmpfad, path);
    if (error.isError()) {
        Messages::failure(this, m_state, TextKeys::farmFolderFailed, error);
        return;
    }
    // The new farm is chosen and shown.
    betriebsdatenladen(name);
}

void FieldWindow::reportDeletion(const OperationError& error, const QString& farm)
{
    const QString where = QDir::toNativeSeparators(error.where);
    if (error.kind == ErrorKind::FolderNotFile)
        Messages::operatingError(this, m_state, TextKeys::farmHasSubfolder, {farm, where});
    else if (error.kind == ErrorKind::Refused)
        Messages::operatingError(this, m_state, TextKeys::deletionLeftAlone, {where});
    else if (farm.isEmpty())
        Messages::failure(this, m_state, TextKeys::plotDeleteFailed, error);
    else
        Messages::failure(this, m_state, TextKeys::farmDeleteFailed, error, {farm});
}

void FieldWindow::betriebloeschen()
{
    if (farmCount() == 0)
        return;
    const QString farm = currentFarm().trimmed();
    if (!Messages::confirm(this, m_state, TextKeys::farmDeleteQuestion, {farm}))
        return;
    if (m_map.release)
        m_map.release();
    OperationError error;
    {
        const WaitCursor wait;
        error = FieldDeletion::deleteFarm(m_state, farm);
    }
    if (error.isError()) {
        reportDeletion(error, farm);
        schlagdatenanzeigen(); // the map shows the plots again
        return;
    }
    betriebsdatenladen();
}

void FieldWindow::schlagdatenloeschen()
{
    if (m_plotFilter->rowCount() == 0)
        return;
    // One chosen plot is asked about by name, several at once by number.
    const QList<PlotRow> plots = chosenPlots();
    if (plots.isEmpty())
        return;
    const bool asked = plots.size() == 1
                           ? Messages::confirm(this, m_state, TextKeys::plotDeleteQuestion,
                                               {plots.first().record.dateiname})
                           : Messages::confirm(this, m_state, TextKeys::plotsDeleteQuestion,
                                               {QString::number(plots.size())});
    if (!asked)
        return;
    QList<PlotKey> keys;
    for (const PlotRow& plot : plots)
        keys.append({plot.record.ordner, plot.record.dateiname});
    OperationError error;
    {
        const WaitCursor wait;
        error = FieldDeletion::deletePlots(m_state, keys);
    }
    if (error.isError())
        reportDeletion(error, QString());
}
