#include "FormBehaviour.h"

#include "FileResolver.h"
#include "Messages.h"
#include "ProgramState.h"
#include "Prompter.h"

#include <QAbstractButton>
#include <QApplication>
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
    const QPoint position = window->pos();
    const QSize size = window->size();
    const Qt::WindowFlags kind =
        (window->windowFlags() & Qt::WindowType_Mask) == Qt::Dialog ? Qt::Dialog : Qt::Tool;
    window->setParent(owner, kind | (window->windowFlags() & ~Qt::WindowType_Mask));
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

QString ordnerwaehlen(QWidget* owner, const QString& title)
{
    return Prompter::instance().existingDirectory(owner, title);
}

void openHelpPage(QWidget* owner, const ProgramState& state, const QString& page)
{
    const QString path = FileResolver::resolve(state.programmpfad, page);
    if (!QFileInfo(path).isFile()) {
        Messages::operatingError(owner, state, TextKeys::helpPageMissing, {path});
        return;
    }
    Prompter::instance().openUrl(QUrl::fromLocalFile(path));
}

} // namespace FormBehaviour

FormKeyHandler::FormKeyHandler(QWidget* window, const ProgramState& state, QString helpPage,
                               QAbstractButton* cancelButton, QPushButton* okButton)
    : QObject(window), m_window(window), m_state(state), m_helpPage(std::move(helpPage)),
      m_cancel(cancelButton), m_ok(okButton)
{
    window->installEventFilter(this);
    // Keys typed into child controls reach the window's filter too.
    const QList<QWidget*> children = window->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
    applyDefaultButton();
}

void FormKeyHandler::applyDefaultButton()
{
    if (!m_ok)
        return;
    m_ok->setAutoDefault(false);
    m_ok->setDefault(m_state.eingabemodus == 0);
}

bool FormKeyHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched == m_window) {
        applyDefaultButton();
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::ShortcutOverride) {
        // Claim the keys we handle so that no shortcut takes them first.
        if (key->key() == Qt::Key_F1 || (key->key() == Qt::Key_Escape && m_cancel)) {
            event->accept();
            return true;
        }
        return false;
    }
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
        if (m_ok && m_state.eingabemodus == 1 && qobject_cast<QLineEdit*>(watched)) {
            m_ok->setFocus(Qt::OtherFocusReason);
            return true;
        }
        return false;
    default:
        return false;
    }
}
