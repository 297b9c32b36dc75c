#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Tells when the user turns to a pane that lives in a dock of the main window
// (docked or floating) from somewhere else: a mouse press inside it after one
// outside it, keyboard focus moved into it by Tab or a shortcut, or its
// floating window activated. Presses in dialogs, message boxes and popups
// leave the pane as it was, so closing a message does not count.
class PaneActivation : public QObject {
    Q_OBJECT
public:
    explicit PaneActivation(QWidget* pane);

signals:
    void activated();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool inside(const QWidget* widget) const;
    // A widget of the main window or of one of its docks, not of a dialog.
    static bool inMainWindows(const QWidget* widget);
    void turnTo(bool inPane);

    QPointer<QWidget> m_pane;
    bool m_current = false; // the pane was the last place the user turned to
};
