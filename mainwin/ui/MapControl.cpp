#include "MapControl.h"

#include <QMouseEvent>
#include <QPainter>

MapControl::MapControl(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
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
                       m_style, &m_shapesDrawn);
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
        code = LeftButton;
        break;
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
