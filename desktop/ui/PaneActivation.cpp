#include "PaneActivation.h"

#include <QApplication>
#include <QDockWidget>
#include <QFocusEvent>
#include <QWidget>

PaneActivation::PaneActivation(QWidget* pane) : QObject(pane), m_pane(pane)
{
    qApp->installEventFilter(this);
}

bool PaneActivation::inside(const QWidget* widget) const
{
    return m_pane && widget && (widget == m_pane || m_pane->isAncestorOf(widget));
}

bool PaneActivation::inMainWindows(const QWidget* widget)
{
    const QWidget* window = widget->window();
    const Qt::WindowType type = window->windowType();
    return type == Qt::Window || (type == Qt::Tool && qobject_cast<const QDockWidget*>(window));
}

void PaneActivation::turnTo(bool inPane)
{
    const bool was = m_current;
    m_current = inPane;
    if (inPane && !was)
        emit activated();
}

bool PaneActivation::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_pane || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (inMainWindows(widget))
            turnTo(inside(widget));
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
             reason == Qt::ShortcutFocusReason) &&
            inMainWindows(widget))
            turnTo(inside(widget));
        break;
    }
    case QEvent::WindowActivate:
        // A floating pane's own window comes to the front.
        if (auto* dock = qobject_cast<QDockWidget*>(widget);
            dock && dock->isFloating() && dock->isAncestorOf(m_pane))
            turnTo(true);
        break;
    default:
        break;
    }
    return false;
}
