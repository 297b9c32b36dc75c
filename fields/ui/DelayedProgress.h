#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

// A progress window for long work in the window's own thread: nothing for
// the first half second, then a modal window with the label and a Cancel
// button (Esc). Called with the work done and to do; false once the user
// has cancelled.
class DelayedProgress {
public:
    DelayedProgress(QWidget* parent, const QString& label);
    ~DelayedProgress();
    DelayedProgress(const DelayedProgress&) = delete;
    DelayedProgress& operator=(const DelayedProgress&) = delete;

    bool operator()(qsizetype done, qsizetype total);

private:
    static constexpr qint64 quietMs = 500;
    QWidget* m_parent;
    QString m_label;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};
