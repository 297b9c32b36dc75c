#include "MapControl.h"

#include "MapNavigation.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace {
// The toolbar's zoom step; one wheel notch (120 eighths of a degree) zooms by it.
constexpr double wheelStep = 1.25;
constexpr int notch = 120;
// A box smaller than this in either direction counts as a click.
constexpr int smallestBox = 4;
} // namespace

MapControl::MapControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setFocusPolicy(Qt::ClickFocus); // Esc ends a drag
    m_document.viewport().resize(size(), MapViewport::ResizeMode::KeepRequestedWindow);
}

template <typename Change> bool MapControl::changeWindow(Change change)
{
    const MapExtent before = m_document.viewport().window();
    const bool done = change();
    if (m_document.viewport().window() != before)
        emit mapChanged(WindowChanged);
    return done;
}

void MapControl::initialise()
{
    changeWindow([this] {
        m_document.initialise();
        return true;
    });
}

bool MapControl::CloseDataSource(const QString& name)
{
    return m_document.CloseDataSource(name);
}

MapDataSource* MapControl::OpenDataSource(const QString& name, const QString& path)
{
    return m_document.OpenDataSource(name, path);
}

MapView* MapControl::AddView(const QString& viewName, const MapTable* table)
{
    return m_document.AddView(viewName, table);
}

MapView* MapControl::AddView(const QString& viewName, const MapDataSource* source)
{
    return m_document.AddView(viewName, source);
}

bool MapControl::ZoomAll()
{
    return changeWindow([this] { return m_document.ZoomAll(); });
}

bool MapControl::ZoomBy(double factor)
{
    return changeWindow([&] { return m_document.ZoomBy(factor); });
}

bool MapControl::ZoomAt(double x, double y, double factor)
{
    return changeWindow([&] { return m_document.ZoomAt(x, y, factor); });
}

bool MapControl::SetExtent(double minX, double minY, double maxX, double maxY)
{
    return changeWindow([&] { return m_document.SetExtent(minX, minY, maxX, maxY); });
}

void MapControl::Redraw()
{
    update();
}

bool MapControl::ZoomToExtent(const MapExtent& extent)
{
    if (!extent.valid)
        return false;
    changeWindow([&] { return m_document.viewport().zoomAll(extent); });
    update();
    emit zoomedToExtent();
    return true;
}

PlotHitTest::Hit MapControl::hitAt(double x, double y)
{
    const std::pair<qint64, int> stamp{m_document.openings(), m_document.viewCount()};
    if (stamp != m_hitTestStamp) {
        m_hitTest.build(m_document.views());
        m_hitTestStamp = stamp;
    }
    return m_hitTest.hitAt(x, y);
}

void MapControl::setHighlightedFile(const QString& shpPath)
{
    if (shpPath == m_highlighted)
        return;
    m_highlighted = shpPath;
    update();
}

bool MapControl::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QPointF world = m_document.viewport().toWorld(QPointF(help->pos()));
    const PlotHitTest::Hit hit = m_drag == Drag::None && m_identifier
                                     ? hitAt(world.x(), world.y())
                                     : PlotHitTest::Hit{};
    const QString text = hit.found() ? m_identifier(hit) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

bool MapControl::setScale(qint32 denominator)
{
    return changeWindow([&] { return m_document.setScale(denominator); });
}

bool MapControl::DrawToDC(QPainter& painter, double xMin, double yMin, double xMax, double yMax,
                          const QRect& targetRect) const
{
    const MapExtent window = MapExtent::of(xMin, yMin, xMax, yMax);
    const QList<const MapView*> views = m_document.views();
    // A page is left untouched when there is no map to put on it.
    if (!painter.isActive() || !MapRenderer::canPaint(QRectF(targetRect), window, views))
        return false;
    return MapRenderer::paint(painter, QRectF(targetRect), window, views, m_style);
}

void MapControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    MapRenderer::paint(painter, QRectF(rect()), m_document.viewport().window(), m_document.views(),
                       m_style, &m_shapesDrawn, &m_renderCache);
    if (m_labels.shown)
        MapLabels::paint(painter, QRectF(rect()), m_document.viewport().window(),
                         m_document.views(), m_labels, LabelStyle::screen());
    if (m_drag == Drag::Box) {
        QPen pen(QColor(20, 60, 160), 1.0, Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(QColor(20, 60, 160, 40));
        painter.drawRect(QRect(m_pressPos, m_lastPos).normalized());
    }
    paintHighlight(painter);
}

void MapControl::paintHighlight(QPainter& painter)
{
    if (m_highlighted.isEmpty())
        return;
    const QList<const MapView*> views = m_document.views();
    const MapTable* table = MapTableLookup::find(views, m_highlighted);
    QTransform transform;
    if (!table || !MapViewport::fitTransform(m_document.viewport().window(), QRectF(rect()),
                                             &transform))
        return;
    // A dark edge under a bright line stands out on every plot colour.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (const auto& [colour, width] : {std::pair{QColor(20, 20, 20), 5.0},
                                        std::pair{highlightColour(), 3.0}}) {
        QPen pen(colour, width);
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        for (const MapShape& shape : table->shapes())
            painter.drawPath(transform.map(shapePath(shape, table->geometry())));
    }
    painter.restore();
}

void MapControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const auto mode =
        m_shown ? MapViewport::ResizeMode::KeepScale : MapViewport::ResizeMode::KeepRequestedWindow;
    changeWindow([&] {
        m_document.viewport().resize(size(), mode);
        return true;
    });
}

void MapControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_shown = true;
}

void MapControl::mousePressEvent(QMouseEvent* event)
{
    int code = 0;
    switch (event->button()) {
    case Qt::LeftButton:
        m_pressPos = m_lastPos = event->position().toPoint();
        m_windowAtPress = m_document.viewport().window();
        m_drag = event->modifiers().testFlag(Qt::ShiftModifier) ? Drag::Box : Drag::Pending;
        if (m_drag == Drag::Box)
            setCursor(Qt::CrossCursor);
        return;
    case Qt::RightButton:
        code = RightButton;
        break;
    case Qt::MiddleButton:
        code = MiddleButton;
        break;
    default:
        return QWidget::mousePressEvent(event);
    }
    const QPointF world = m_document.viewport().toWorld(event->position());
    emit mouseEvent(world.x(), world.y(), code);
}

void MapControl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Pending &&
        (pos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_drag = Drag::Panning;
        setCursor(Qt::ClosedHandCursor);
    }
    if (m_drag == Drag::Panning) {
        const QPointF delta = pos - m_lastPos;
        changeWindow([&] { return m_document.viewport().panByPixels(delta); });
        update();
    } else if (m_drag == Drag::Box) {
        update();
    }
    if (m_drag != Drag::None)
        m_lastPos = pos;
    QWidget::mouseMoveEvent(event);
}

void MapControl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None)
        return QWidget::mouseReleaseEvent(event);
    const Drag drag = m_drag;
    m_lastPos = event->position().toPoint();
    const QRectF box = QRectF(QPointF(m_pressPos), QPointF(m_lastPos)).normalized();
    endDrag();
    const bool boxDrawn =
        drag == Drag::Box && box.width() >= smallestBox && box.height() >= smallestBox;
    if (boxDrawn) {
        const double before = Scale();
        changeWindow([&] { return m_document.viewport().zoomToPixels(box); });
        // Never closer than the zoom limit allows: 1:1 about the box's centre.
        if (Scale() < MapNavigation::minScale && before > 0)
            setScale(qint32(MapNavigation::minScale));
        update();
        emit zoomedByMouse();
    } else if (drag == Drag::Pending || drag == Drag::Box) {
        const QPointF world = m_document.viewport().toWorld(QPointF(m_pressPos));
        m_clickWorld = world;
        m_clickPixel = m_pressPos;
        emit mouseEvent(world.x(), world.y(), LeftButton);
    } else if (drag == Drag::Panning) {
        emit pannedByMouse();
    }
}

void MapControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    // The first click centred the map on its ground already: the release that
    // follows must not centre it again on what now lies under the pointer.
    m_drag = Drag::None;
    const QPoint pos = event->position().toPoint();
    const QPointF world = (pos - m_clickPixel).manhattanLength() <= QApplication::startDragDistance()
                              ? m_clickWorld
                              : m_document.viewport().toWorld(event->position());
    m_clickPixel = QPoint(-1000000, -1000000); // a third click starts anew
    emit doubleClicked(world.x(), world.y());
    event->accept();
}

void MapControl::wheelEvent(QWheelEvent* event)
{
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / notch;
    // Fine-grained wheels and touchpads gather their small turns into whole notches.
    if (steps == 0) {
        event->accept();
        return;
    }
    m_wheelAngle -= steps * notch;
    const double factor = std::pow(wheelStep, steps);
    const qint32 scale = qint32(qRound64(Scale()));
    if (MapNavigation::zoomAllowed(scale, factor)) {
        changeWindow([&] { return m_document.viewport().zoomAbout(event->position(), factor); });
        update();
        emit zoomedByMouse();
    }
    event->accept();
}

void MapControl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || m_drag == Drag::None)
        return QWidget::keyPressEvent(event);
    const MapExtent back = m_windowAtPress;
    endDrag();
    changeWindow([&] {
        m_document.viewport().setExtent(back);
        return true;
    });
    update();
    event->accept();
}

void MapControl::endDrag()
{
    const bool box = m_drag == Drag::Box;
    m_drag = Drag::None;
    unsetCursor();
    if (box)
        update();
}
