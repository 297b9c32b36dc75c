#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the wait pointer for the lifetime of the object and restores the
// previous pointer on every path out of the scope, errors included. Without a
// GUI application (the command-line program) it does nothing: qGuiApp is only
// a cast of the application object and must not be used there.
class WaitCursor {
public:
    WaitCursor() : m_shown(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Whether this object changed the pointer.
    bool isShown() const { return m_shown; }

private:
    const bool m_shown;
};
