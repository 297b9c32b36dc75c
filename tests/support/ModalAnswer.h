#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

// Answers the next modal dialog as soon as it runs its loop: action gets the
// dialog and must close it. Start-up code may let events run before the
// dialog appears, so this polls (every 10 ms, for at most 5 s) instead of
// firing once.
inline void whenModalShown(std::function<void(QDialog*)> action)
{
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++*tries > 500)
                timer->deleteLater();
            return;
        }
        timer->deleteLater();
        action(dialog);
    });
    timer->start(10);
}
