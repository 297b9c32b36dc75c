#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAbstractButton;
class QKeyEvent;
class QPushButton;
class QUrl;
class QWidget;
struct ProgramState;

// What every window of the program shares: floating above the main window,
// centring, F1 help pages, Esc and Enter in dialogs, the folder browser.
namespace FormBehaviour {

// Keeps window above owner (the main window) without moving or activating it.
void fensteroben(QWidget* window, QWidget* owner);
// Centres the window on its screen.
void fenstermitte(QWidget* window);
// Folder browser, opened on start when given; "" when the user cancels.
QString ordnerwaehlen(QWidget* owner, const QString& title, const QString& start = QString());
// Hands a file, mail or web URL to the desktop with the wait pointer shown;
// when no program takes it, tells the user what could not be opened. True
// when it was opened.
bool openExternal(QWidget* owner, const ProgramState& state, const QUrl& url);
// Opens a help page of the program folder (found ignoring case) with the
// desktop's viewer; a missing page is reported with the catalogue message.
void openHelpPage(QWidget* owner, const ProgramState& state, const QString& page);

} // namespace FormBehaviour

// Key handling of one window and every control in it, also controls added
// later: F1 opens its help page; Esc clicks the cancel button (when the window
// has one); Enter on a focused button clicks that button. In a dialog, while
// eingabemodus is set, Enter in an entry field moves the focus to the OK button
// instead of confirming, so a second Enter confirms; the OK button is the
// default button only while eingabemodus is not set, and no other button becomes the
// default by itself.
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
    // Filters the keys of widget and everything inside it.
    void watch(QWidget* widget);
    bool handleKey(QObject* watched, QKeyEvent* key);

    QWidget* m_window;
    const ProgramState& m_state;
    QString m_helpPage;
    QPointer<QAbstractButton> m_cancel;
    QPointer<QPushButton> m_ok;
};
