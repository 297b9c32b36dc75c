#include "MapPanel.h"

#include "MapControl.h"
#include "MapNavigation.h"
#include "MapView.h"
#include "Messages.h"
#include "PictureBox.h"
#include "ProgramState.h"
#include "StatusStripLayout.h"
#include "Texts.h"
#include "Twips.h"
#include "WaitCursor.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QProgressDialog>
#include <QStatusBar>
#include <memory>

MapPanel::MapPanel(ProgramState& state, QMainWindow& window)
    : QObject(&window), m_state(state), m_window(window)
{
    buildControls();
}

void MapPanel::buildControls()
{
    m_picture = new PictureBox(&m_window);
    m_window.setCentralWidget(m_picture);

    // The picture box changes size with the window and with the docks beside it.
    m_picture->installEventFilter(this);
    m_map = new MapControl(m_picture);
    m_map->setObjectName(QStringLiteral("tplhaupt"));

    // The status panels: sunken, opaque over the map's edge.
    const auto panel = [this](const char* name, const char* text) {
        auto* label = new QLabel(QString::fromUtf8(text), m_picture);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAutoFillBackground(true);
        return label;
    };
    m_areaLabel = panel("panflaeche", " Fläche in ha:");
    m_areaBox = new QLineEdit(m_picture);
    m_areaBox->setObjectName(QStringLiteral("txtflaeche"));
    m_areaBox->setReadOnly(true);
    m_areaBox->setAlignment(Qt::AlignRight);

    m_scaleLabel = panel("panmassstab", " Maßstab:  1: ");
    m_scaleBox = new QComboBox(m_picture);
    m_scaleBox->setObjectName(QStringLiteral("cbomassstab"));
    m_scaleBox->setEditable(true);
    m_scaleBox->setInsertPolicy(QComboBox::NoInsert);
    m_scaleBox->lineEdit()->installEventFilter(this);

    connect(m_scaleBox->lineEdit(), &QLineEdit::textEdited, this, &MapPanel::onScaleTextEdited);
    connect(m_scaleBox, &QComboBox::activated, this, [this](int) { applyTypedScale(); });
    connect(m_map, &MapControl::mouseEvent, this, [this](double x, double y, int button) {
        if (button == 1) {
            m_viewFitted = false;
            m_map->ZoomAt(x, y, 1.0);
            m_map->Redraw();
        }
    });
    // A map the user moved stays where it is when the docks change size.
    for (auto zoomed : {&MapControl::zoomedByMouse, &MapControl::zoomedToExtent})
        connect(m_map, zoomed, this, [this] {
            m_viewFitted = false;
            showScale(qRound64(m_map->Scale()));
        });
    connect(m_map, &MapControl::pannedByMouse, this, [this] { m_viewFitted = false; });
    connect(m_map, &MapControl::mapChanged, this, [this](int code) {
        if (code == 2)
            linealanzeigen();
    });
}

void MapPanel::initialise()
{
    m_map->initialise();
    m_scaleBox->clear();
    m_scaleBox->addItems({QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("500"),
                          QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("2880"),
                          QStringLiteral("5000"), QStringLiteral("10000")});
    m_scaleBox->setEditText(QString());
    layoutPicture();
}

void MapPanel::anzeigezoomen(double factor)
{
    if (factor == 0) {
        m_map->ZoomAll();
        m_map->Redraw();
        showScale(qRound64(m_map->Scale()));
        reportVisibility();
        m_viewFitted = true;
        return;
    }
    const qint32 scale = qint32(qRound64(m_map->Scale()));
    if (!MapNavigation::zoomAllowed(scale, factor))
        return;
    m_viewFitted = false;
    m_map->ZoomBy(factor);
    m_map->Redraw();
    showScale(qRound64(m_map->Scale()));
    reportVisibility();
}

void MapPanel::pan(int direction, int percent)
{
    m_viewFitted = false;
    const MapNavigation::Extent extent{m_map->MinX(), m_map->MinY(), m_map->MaxX(), m_map->MaxY()};
    const MapNavigation::Extent moved =
        MapNavigation::panned(extent, MapNavigation::Direction(direction), percent);
    m_map->SetExtent(moved.minX, moved.minY, moved.maxX, moved.maxY);
    m_map->Redraw();
    reportVisibility();
}

void MapPanel::anzeigelinks(int percent)
{
    pan(int(MapNavigation::Direction::Left), percent);
}

void MapPanel::anzeigerechts(int percent)
{
    pan(int(MapNavigation::Direction::Right), percent);
}

void MapPanel::anzeigeoben(int percent)
{
    pan(int(MapNavigation::Direction::Up), percent);
}

void MapPanel::anzeigeunten(int percent)
{
    pan(int(MapNavigation::Direction::Down), percent);
}

void MapPanel::massstabsetzen(qint32 scale)
{
    m_viewFitted = false;
    m_map->setScale(scale);
    m_map->Redraw();
    if (scale >= 1)
        m_lastScale = scale;
    reportVisibility();
}

void MapPanel::reportVisibility()
{
    const MapExtent data = m_map->document().dataExtent();
    const bool outside = data.valid && (data.maxX < m_map->MinX() || data.minX > m_map->MaxX() ||
                                        data.maxY < m_map->MinY() || data.minY > m_map->MaxY());
    bool anyVisible = !outside;
    if (data.valid && !outside) {
        anyVisible = false;
        for (const MapView* view : m_map->document().views()) {
            const MapExtent b = view->bounds();
            if (b.valid && !(b.maxX < m_map->MinX() || b.minX > m_map->MaxX() ||
                             b.maxY < m_map->MinY() || b.minY > m_map->MaxY())) {
                anyVisible = true;
                break;
            }
        }
    }
    if (anyVisible)
        m_window.statusBar()->clearMessage();
    else
        m_window.statusBar()->showMessage(textholen(m_state, TextKeys::nothingVisible));
}

void MapPanel::linealanzeigen()
{
    const double width = m_map->MaxX() - m_map->MinX();
    if (!(width > 0)) {
        m_picture->setMarks({});
        return;
    }
    const double k = Twips::fromPixels(m_map->width()) / width;
    m_picture->setMarks(RulerMarks::compute(k, Twips::fromPixels(m_picture->width())));
}

void MapPanel::releaseMap()
{
    LayerDisplay::release(m_map->document(), m_state);
    m_map->Redraw();
}

bool MapPanel::displayLayers(const QString& path, const QList<qint64>& colours)
{
    const WaitCursor wait;
    return presentLayers(LayerDisplay::show(m_map->document(), m_state, path, colours));
}

bool MapPanel::displayFiles(const QString& path, const QList<MapDataSource::ShapefileEntry>& files,
                            const QList<qint64>& colours)
{
    const WaitCursor wait;
    // A long reading shows its progress and can be cancelled (Esc), which
    // leaves the map empty; a short one shows nothing.
    constexpr qint64 quietMs = 500;
    QElapsedTimer reading;
    reading.start();
    std::unique_ptr<QProgressDialog> dialog;
    const auto progress = [&](qsizetype done, qsizetype total) {
        if (!dialog) {
            if (reading.elapsed() < quietMs)
                return true;
            dialog = std::make_unique<QProgressDialog>(&m_window);
            dialog->setObjectName(QStringLiteral("lesefortschritt"));
            dialog->setWindowTitle(m_window.windowTitle());
            dialog->setLabelText(textholen(m_state, TextKeys::readingPlots));
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->setRange(0, int(total));
        }
        dialog->setValue(int(done)); // lets the dialog's events run
        return !dialog->wasCanceled();
    };
    return presentLayers(
        LayerDisplay::show(m_map->document(), m_state, path, files, colours, progress));
}

bool MapPanel::presentLayers(const LayerDisplay::Result& result)
{
    if (!result.problems.isEmpty()) {
        QStringList files;
        for (const OperationError& problem : result.problems)
            files << QStringLiteral("%1 (%2)").arg(QDir::toNativeSeparators(problem.where),
                                                   problem.detail);
        Messages::operatingError(&m_window, m_state, TextKeys::shapefilesLeftOut,
                                 {files.join('\n')});
    }
    if (!result.shown)
        return false;
    m_map->Redraw();
    linealanzeigen();
    showScale(qRound64(m_map->Scale()));
    reportVisibility();
    m_viewFitted = true;
    return true;
}

void MapPanel::showScale(qint64 scale)
{
    m_scaleBox->setEditText(QString::number(scale));
    if (scale >= 1)
        m_lastScale = scale;
}

void MapPanel::showArea(double hectares)
{
    m_areaBox->setText(QLocale().toString(hectares, 'f', 4));
}

QString MapPanel::scaleBoxText() const
{
    return m_scaleBox->currentText();
}

QString MapPanel::areaBoxText() const
{
    return m_areaBox->text();
}

void MapPanel::onScaleTextEdited(const QString& text)
{
    if (text.size() <= MapNavigation::scaleBoxMaxLength)
        return;
    m_scaleBox->lineEdit()->setText(text.left(MapNavigation::scaleBoxMaxLength));
    m_scaleBox->lineEdit()->setCursorPosition(MapNavigation::scaleBoxMaxLength);
}

void MapPanel::applyTypedScale()
{
    const std::optional<qint32> scale = MapNavigation::wholeScale(m_scaleBox->currentText());
    if (!scale) {
        Messages::entryError(&m_window, m_state, TextKeys::scaleInvalid);
        m_scaleBox->setEditText(m_lastScale >= 1 ? QString::number(m_lastScale) : QString());
        return;
    }
    massstabsetzen(*scale);
}

bool MapPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_scaleBox) // still being built
        return QObject::eventFilter(watched, event);
    if (watched == m_picture && event->type() == QEvent::Resize) {
        layoutPicture();
        // A map showing everything keeps showing everything when the docks
        // beside it or the window change size.
        if (m_viewFitted && m_map->document().dataExtent().valid) {
            m_map->ZoomAll();
            m_map->Redraw();
            showScale(qRound64(m_map->Scale()));
        }
    }
    if (watched == m_scaleBox->lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_state.eingabemodus) {
            applyTypedScale();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MapPanel::layoutPicture()
{
    if (m_window.isMinimized())
        return;
    StatusStripLayout::Input in;
    in.pictureWidth = Twips::fromPixels(m_picture->width());
    in.pictureHeight = Twips::fromPixels(m_picture->height());
    in.scaleBoxWidth = Twips::fromPixels(90);
    in.scaleBoxHeight = Twips::fromPixels(m_scaleBox->sizeHint().height());
    in.scaleLabelWidth = Twips::fromPixels(m_scaleLabel->sizeHint().width() + 4);
    in.areaBoxWidth = Twips::fromPixels(110);
    in.areaBoxHeight = Twips::fromPixels(m_areaBox->sizeHint().height());
    in.areaLabelWidth = Twips::fromPixels(m_areaLabel->sizeHint().width() + 4);
    in.labelHeight = in.areaBoxHeight - Twips::fromPixels(2);
    const StatusStripLayout layout = StatusStripLayout::compute(in);
    auto place = [](QWidget* widget, const QRect& twips) {
        widget->setGeometry(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()),
                            Twips::toPixels(twips.width()), Twips::toPixels(twips.height()));
    };
    place(m_map, layout.map);
    place(m_scaleBox, layout.scaleBox);
    place(m_scaleLabel, layout.scaleLabel);
    place(m_areaBox, layout.areaBox);
    place(m_areaLabel, layout.areaLabel);
    linealanzeigen();
}
