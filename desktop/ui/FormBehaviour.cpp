#include "FormBehaviour.h"

#include "FileResolver.h"
#include "Messages.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "WaitCursor.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QWidget>

namespace FormBehaviour {

void fensteroben(QWidget* window, QWidget* owner)
{
    if (!window || !owner || window == owner)
        return;
    // A window placed before keeps its place; one never placed (a dialog)
    // opens centred on its owner, as a dialog with a parent does.
    const bool placed = window->testAttribute(Qt::WA_Moved);
    const QPoint position = window->pos();
    const QSize size = window->size();
    const Qt::WindowFlags kind =
        (window->windowFlags() & Qt::WindowType_Mask) == Qt::Dialog ? Qt::Dialog : Qt::Tool;
    window->setParent(owner, kind | (window->windowFlags() & ~Qt::WindowType_Mask));
    if (placed)
        window->move(position);
    window->resize(size);
}

void fenstermitte(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(area.left() + (area.width() - outer.width()) / 2,
                 area.top() + (area.height() - outer.height()) / 2);
}

QString ordnerwaehlen(QWidget* owner, const QString& title, const QString& start)
{
    return Prompter::instance().existingDirectory(owner, title, start);
}

bool openExternal(QWidget* owner, const ProgramState& state, const QUrl& url)
{
    bool opened = false;
    {
        const WaitCursor wait;
        opened = Prompter::instance().openUrl(url);
    }
    if (!opened) {
        // A mail link names its address only; the rest is the message body.
        const QString shown = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile())
                                                : url.adjusted(QUrl::RemoveQuery).toDisplayString();
        Messages::operatingError(owner, state, TextKeys::shellOpenFailed, {shown});
    }
    return opened;
}

void openHelpPage(QWidget* owner, const ProgramState& state, const QString& page)
{
    const QString path = FileResolver::resolve(state.programmpfad, page);
    if (!QFileInfo(path).isFile()) {
        Messages::operatingError(owner, state, TextKeys::helpPageMissing, {path});
        return;
    }
    openExternal(owner, state, QUrl::fromLocalFile(path));
}

} // namespace FormBehaviour

namespace {
const char* const keyOwnerProperty = "sorvanKeyOwner";

// The window whose keys an event belongs to: the nearest enclosing window or
// pane with key handling of its own (a field or GPS pane inside a dock of the
// main window keeps its own keys, docked or floating). Popups (menus, lists
// of a combo box) count as part of the window they open from.
bool belongsTo(const QWidget* widget, const QWidget* window)
{
    if (widget->window()->windowType() == Qt::Popup)
        return true;
    const QWidget* owner = widget;
    while (owner && !owner->isWindow() && !owner->property(keyOwnerProperty).toBool())
        owner = owner->parentWidget();
    return owner == window;
}

// A dialog makes its first auto-default button the default when it is shown;
// the window's own rule decides instead.
void keepFromDefault(QObject* object)
{
    if (auto* button = qobject_cast<QPushButton*>(object))
        button->setAutoDefault(false);
}
} // namespace

FormKeyHandler::FormKeyHandler(QWidget* window, const ProgramState& state, QString helpPage,
                               QAbstractButton* cancelButton, QPushButton* okButton)
    : QObject(window), m_window(window), m_state(state), m_helpPage(std::move(helpPage)),
      m_cancel(cancelButton), m_ok(okButton)
{
    window->setProperty(keyOwnerProperty, true);
    // Keys typed into child controls reach the window's filter too.
    watch(window);
    applyDefaultButton();
}

void FormKeyHandler::watch(QWidget* widget)
{
    // A window of its own (a floating tool window) keeps its own keys.
    if (!belongsTo(widget, m_window))
        return;
    widget->installEventFilter(this);
    keepFromDefault(widget);
    const QObjectList children = widget->children();
    for (QObject* child : children) {
        if (child->isWidgetType())
            watch(static_cast<QWidget*>(child));
    }
}

void FormKeyHandler::applyDefaultButton()
{
    if (!m_ok)
        return;
    m_ok->setAutoDefault(false);
    m_ok->setDefault(!m_state.eingabemodus);
}

bool FormKeyHandler::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded: {
        // Grids, toolbars and panels built later get the same keys.
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget*>(child));
        return false;
    }
    case QEvent::Polish:
        // Buttons still being built when they were added.
        keepFromDefault(watched);
        return false;
    case QEvent::WindowActivate:
        if (watched == m_window)
            applyDefaultButton();
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        // A widget moved into a window of its own since it was watched.
        if (!belongsTo(static_cast<QWidget*>(watched), m_window))
            return false;
        if (event->type() == QEvent::KeyPress)
            return handleKey(watched, static_cast<QKeyEvent*>(event));
        // Claim the keys we handle so that no shortcut takes them first.
        if (const int key = static_cast<QKeyEvent*>(event)->key();
            key == Qt::Key_F1 || (key == Qt::Key_Escape && m_cancel)) {
            event->accept();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool FormKeyHandler::handleKey(QObject* watched, QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_F1:
        if (!m_helpPage.isEmpty())
            FormBehaviour::openHelpPage(m_window, m_state, m_helpPage);
        return true;
    case Qt::Key_Escape:
        if (m_cancel) {
            m_cancel->click();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(watched); button && button->hasFocus()) {
            button->click();
            return true;
        }
        if (m_ok && m_state.eingabemodus && qobject_cast<QLineEdit*>(watched)) {
            m_ok->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    default:
        return false;
    }
}
