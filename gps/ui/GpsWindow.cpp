#include "GpsWindow.h"

#include "DescriptionFile.h"
#include "FileGuard.h"
#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "GpsAssignment.h"
#include "GpsDeletion.h"
#include "GpsGridModel.h"
#include "GpsImport.h"
#include "GpsMapLink.h"
#include "GpsStaging.h"
#include "GpsTable.h"
#include "GpsTextKeys.h"
#include "GridCaption.h"
#include "GridModels.h"
#include "Messages.h"
#include "OrderedSelection.h"
#include "PaneActivation.h"
#include "PaneTools.h"
#include "ProgramState.h"
#include "StagingFolder.h"
#include "Texts.h"
#include "Twips.h"
#include "WaitCursor.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScopedValueRollback>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

namespace {

// A problem in the user's words, naming the file.
QString describe(const ProgramState& state, const OperationError& problem)
{
    const QString file = QDir::toNativeSeparators(problem.where);
    if (problem.kind == ErrorKind::Refused)
        return Messages::format(state, GpsTextKeys::leftAlone, {file});
    if (file.endsWith(QLatin1String(".DES"), Qt::CaseInsensitive)) {
        if (problem.kind == ErrorKind::FileNotFound)
            return Messages::format(state, GpsTextKeys::descriptionMissing, {file});
        if (problem.kind == ErrorKind::PastEndOfFile)
            return Messages::format(state, GpsTextKeys::descriptionShort, {file});
        if (problem.detail == DescriptionFile::lineTooLong)
            return Messages::format(state, GpsTextKeys::descriptionLineTooLong, {file});
        if (problem.detail == DescriptionFile::numberTooLarge)
            return Messages::format(state, GpsTextKeys::descriptionNumberTooLarge, {file});
    }
    return QStringLiteral("%1 (%2)").arg(file, problem.detail);
}
} // namespace

GpsWindow::GpsWindow(ProgramState& state, ViewState& view, GpsLinks links, QWidget* owner)
    : QWidget(nullptr), m_state(state), m_view(view), m_links(std::move(links)), m_owner(owner)
{
    setObjectName(QStringLiteral("gpsdaten"));
    setWindowTitle(QStringLiteral("GPS-Daten"));
    buildControls();
    new FormKeyHandler(this, m_state, QStringLiteral("gpsdaten.HTM"));
}

GpsWindow::~GpsWindow() = default;

void GpsWindow::buildControls()
{
    m_tools = PaneTools::toolbar(this, "mnu");
    connect(PaneTools::add(m_tools, "tb1pfad", "GPS-Datenpfad ändern", QStyle::SP_DirOpenIcon),
            &QAction::triggered, this, &GpsWindow::gpspfadwaehlen);
    connect(PaneTools::add(m_tools, "tb1uebernehmen", "Grenzlinie in Betrieb übernehmen",
                           QStyle::SP_ArrowForward),
            &QAction::triggered, this, &GpsWindow::assignAndShowFarm);
    connect(PaneTools::add(m_tools, "tb1loeschen", "Grenzlinie löschen", QStyle::SP_TrashIcon),
            &QAction::triggered, this, &GpsWindow::deleteChosen);

    m_model = new GpsGridModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdgpsdaten"));
    m_grid->setModel(m_model);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->setDefaultSectionSize(20);
    m_grid->verticalHeader()->hide(); // the narrow window keeps its width for names and dates
    // Name and date share the fixed width without a horizontal scroll bar.
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    // A header click sorts; it does not select the column's rows.
    QObject::disconnect(m_grid->horizontalHeader(), &QHeaderView::sectionPressed, m_grid, nullptr);
    QObject::disconnect(m_grid->horizontalHeader(), &QHeaderView::sectionEntered, m_grid, nullptr);
    m_selection = new OrderedSelection(m_grid, BookmarkRole);
    m_mapLink = new GpsMapLink(m_state, m_view, m_links.map, m_grid, m_model, this);

    connect(m_selection, &OrderedSelection::changed, this, &GpsWindow::gpsdatenanzeigen);
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &GpsWindow::onCurrentRowChanged);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &GpsWindow::onHeaderClicked);
    connect(m_grid, &QTableView::doubleClicked, this, &GpsWindow::assignAndShowFarm);

    // The caption and the toolbar above the grid. The window is at least
    // 2835 twips wide and 1500 high; in a dock the user may widen it.
    auto* head = new QHBoxLayout;
    head->setContentsMargins(0, 0, 0, 0);
    head->addWidget(GridCaption::create(m_grid, this));
    head->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addLayout(head);
    layout->addWidget(m_tools);
    layout->addWidget(m_grid, 1);
    setMinimumSize(Twips::toPixels(fixedWidth), Twips::toPixels(leastHeight));
    resize(Twips::toPixels(fixedWidth), Twips::toPixels(defaultHeight));

    // Turning to the window from elsewhere brings the measurements back onto
    // a map that shows plots.
    connect(new PaneActivation(this), &PaneActivation::activated, this, [this] {
        if (isMinimized() || m_view.kartenanzeige != MapContent::Plots)
            return;
        // A failing redraw says so once, not at every activation.
        const Messages::RepeatGuard once(QStringLiteral("gpsdatenaktivierung"));
        gpsdatenanzeigen();
    });
}

void GpsWindow::load()
{
    translate();
    m_state.gpssortierung = GpsTable::byName();
    gpsdateneinlesen();
}

void GpsWindow::translate()
{
    FormTranslator::translateWindow(this, m_state);
}

void GpsWindow::assignAndShowFarm()
{
    gpsdatenzuordnen();
    if (m_links.showFieldWindow)
        m_links.showFieldWindow();
}

void GpsWindow::deleteChosen()
{
    {
        const QScopedValueRollback lock(m_view.anzeigesperre, true);
        gpsdatenloeschen();
        gpsdateneinlesen();
    }
    // The map drops what was deleted, once, when it shows measurements.
    if (m_view.kartenanzeige == MapContent::Measurements)
        gpsdatenanzeigen();
}

void GpsWindow::onHeaderClicked(int column)
{
    const QString order = GpsTable::orderForColumn(column);
    if (!order.isEmpty())
        m_state.gpssortierung = order;
    gpsdatenladen();
}

void GpsWindow::onCurrentRowChanged()
{
    // A click moves the current row before it selects: the draw waits until
    // the click is complete and runs only when no row is selected then.
    if (m_view.anzeigesperre || m_currentDrawQueued)
        return;
    m_currentDrawQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_currentDrawQueued = false;
            if (m_selection->bookmarks().isEmpty() && m_grid->currentIndex().isValid())
                gpsdatenanzeigen();
        },
        Qt::QueuedConnection);
}

QStringList GpsWindow::chosenMeasurements() const
{
    QStringList chosen;
    for (const qint64 bookmark : m_selection->bookmarks()) {
        const int row = m_model->rowOf(bookmark);
        if (row >= 0)
            chosen.append(m_model->rows().at(row).record.dateiname);
    }
    const int current = m_grid->currentIndex().row();
    if (chosen.isEmpty() && current >= 0 && current < m_model->rows().size())
        chosen.append(m_model->rows().at(current).record.dateiname);
    return chosen;
}

void GpsWindow::reportProblems(const TextKey& key, const QList<OperationError>& problems)
{
    if (problems.isEmpty())
        return;
    QStringList lines;
    for (const OperationError& problem : problems)
        lines.append(describe(m_state, problem));
    lines.removeDuplicates();
    Messages::operatingError(this, m_state, key, {lines.join('\n')});
}

void GpsWindow::gpspfadwaehlen()
{
    // The browser opens on the folder read last, as long as it is there.
    const QString start = QFileInfo(m_state.gpspfad).isDir() ? m_state.gpspfad : QString();
    const QString chosen =
        FormBehaviour::ordnerwaehlen(this, textholen(m_state, GpsTextKeys::folderTitle), start)
            .trimmed();
    if (chosen.isEmpty())
        return;
    // Kept as chosen: on this platform the case of a folder's name matters.
    QString folder = QDir::cleanPath(chosen);
    if (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    if (FileGuard::entryAt(folder) != FileGuard::Entry::Folder && !QFileInfo(folder).isDir()) {
        Messages::failure(this, m_state, GpsTextKeys::folderFailed,
                          {ErrorKind::PathNotFound, QStringLiteral("no such folder"), folder});
        return;
    }
    m_state.gpspfad = folder;
    gpsdateneinlesen();
}

void GpsWindow::gpsdateneinlesen()
{
    const WaitCursor wait;
    if (m_state.database) {
        const GpsImport::Result result = GpsImport::gpsdateneinlesen(m_state);
        if (result.error.isError())
            Messages::failure(this, m_state, GpsTextKeys::importFailed, result.error);
        reportProblems(GpsTextKeys::copiesFailed, result.problems);
    }
    gpsdatenladen();
    gpsdatenanzeigen();
}

void GpsWindow::gpsdatenladen()
{
    QList<GpsRow> rows;
    if (m_state.database) {
        OperationError error;
        rows = GpsTable::rows(*m_state.database, m_state.gpssortierung, &error);
        if (error.isError())
            Messages::failure(this, m_state, GpsTextKeys::importFailed, error);
    }
    const QScopedValueRollback lock(m_view.anzeigesperre, true);
    m_model->setRows(rows);
    if (!rows.isEmpty())
        m_grid->selectionModel()->setCurrentIndex(m_model->index(0, 0),
                                                  QItemSelectionModel::NoUpdate);
}

void GpsWindow::gpsdatenanzeigen()
{
    if (m_view.anzeigesperre)
        return;
    const WaitCursor wait;
    m_state.datennummer = 1;
    if (m_links.map.release)
        m_links.map.release();
    m_state.ansichtnummer = 0;
    const GpsStaging::Staged staged =
        GpsStaging::stage(m_state.programmpfad, m_state.gpspfad, chosenMeasurements());
    if (staged.error.isError()) {
        Messages::failure(this, m_state, GpsTextKeys::importFailed, staged.error);
        return;
    }
    if (m_links.map.display &&
        m_links.map.display(StagingFolder::path(m_state.programmpfad), staged.colours)) {
        if (m_links.map.showArea)
            m_links.map.showArea(staged.areaHa);
        m_view.kartenanzeige = MapContent::Measurements;
        m_mapLink->shown();
    }
    reportProblems(GpsTextKeys::displayFailed, staged.problems);
}

void GpsWindow::gpsdatenloeschen()
{
    if (m_model->rowCount() == 0)
        return;
    const QStringList chosen = chosenMeasurements();
    if (chosen.isEmpty())
        return;
    // One measurement is asked about by name, several by number.
    const bool asked =
        chosen.size() == 1
            ? Messages::confirm(this, m_state, GpsTextKeys::deleteOne, {chosen.first().trimmed()})
            : Messages::confirm(this, m_state, GpsTextKeys::deleteMany,
                                {QString::number(chosen.size())});
    if (!asked)
        return;
    const WaitCursor wait;
    const OperationError error = GpsDeletion::deleteMeasurements(m_state.gpspfad, chosen);
    if (error.isError())
        reportProblems(GpsTextKeys::deleteFailed, {error});
}

void GpsWindow::gpsdatenzuordnen()
{
    if (m_model->rowCount() == 0)
        return;
    if (!m_links.farmCount || m_links.farmCount() == 0) {
        Messages::operatingError(this, m_state, GpsTextKeys::noFarm);
        return;
    }
    if (m_links.selectedFarmCount && m_links.selectedFarmCount() >= 3) {
        Messages::operatingError(this, m_state, GpsTextKeys::tooManyFarms);
        return;
    }
    const QString farm = m_links.currentFarm ? m_links.currentFarm() : QString();
    GpsAssignment::Outcome outcome;
    {
        const WaitCursor wait;
        outcome = GpsAssignment::assign(m_state, farm, chosenMeasurements());
    }
    for (const QString& measurement : std::as_const(outcome.alreadyPlots))
        Messages::operatingError(this, m_state, GpsTextKeys::alreadyPlot,
                                 {measurement.trimmed(), farm.trimmed()});
    if (outcome.error.isError()) {
        OperationError shown = outcome.error;
        shown.detail = describe(m_state, outcome.error);
        shown.where.clear();
        Messages::failure(this, m_state, GpsTextKeys::assignFailed, shown,
                          {outcome.failed.trimmed(), farm.trimmed()});
    }
    if (m_links.synchronise)
        m_links.synchronise();
}
