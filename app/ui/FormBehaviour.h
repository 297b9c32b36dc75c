#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QPushButton;
class QWidget;
struct ProgramState;

// What every window of the program shares: floating above the main window,
// centring, F1 help pages, Esc and Enter in dialogs, the folder browser.
namespace FormBehaviour {

// Keeps window above owner (the main window) without moving or activating it.
void fensteroben(QWidget* window, QWidget* owner);
// Centres the window on its screen.
void fenstermitte(QWidget* window);
// Folder browser; "" when the user cancels.
QString ordnerwaehlen(QWidget* owner, const QString& title);
// Opens a help page of the program folder (found ignoring case) with the
// desktop's viewer; a missing page is reported with the catalogue message.
void openHelpPage(QWidget* owner, const ProgramState& state, const QString& page);

} // namespace FormBehaviour

// Key handling of one window: F1 opens its help page; Esc clicks the cancel
// button (when the window has one); in a dialog, while eingabemodus is 1,
// Enter in an entry field moves the focus to the OK button instead of
// confirming, and the OK button is the default button only while eingabemodus
// is 0.
class FormKeyHandler : public QObject {
    Q_OBJECT
public:
    FormKeyHandler(QWidget* window, const ProgramState& state, QString helpPage,
                   QAbstractButton* cancelButton = nullptr, QPushButton* okButton = nullptr);

    // Applies the default-button rule; call when the dialog activates.
    void applyDefaultButton();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    const ProgramState& m_state;
    QString m_helpPage;
    QPointer<QAbstractButton> m_cancel;
    QPointer<QPushButton> m_ok;
};
