#pragma once

#include <QCursor>
#include <QGuiApplication>

// Shows the wait pointer for the lifetime of the object and restores the
// previous pointer on every path out of the scope, errors included.
class WaitCursor {
public:
    WaitCursor()
    {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        m_active = qGuiApp != nullptr;
    }
    ~WaitCursor()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_active = false;
};
