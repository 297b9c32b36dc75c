#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <deque>
#include <functional>
#include <optional>

// Every modal question the program asks and every URL it hands to the desktop
// goes through here, so that tests can answer in advance and never hang on a
// modal box. Outside test mode the real dialogs are shown.
class Prompter {
public:
    static Prompter& instance();

    // Every dialog here is shown with the normal pointer: a wait pointer of the
    // operation that asks is taken off while it is up and put back after.
    // Message box with the catalogue text and title. Returns the button chosen.
    QMessageBox::StandardButton
    message(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // Folder browser; "" when the user cancels.
    QString existingDirectory(QWidget* parent, const QString& title, const QString& start = {});
    // Save-file dialog starting at start with a filter such as "PNG (*.png)";
    // "" when the user cancels. In test mode the queued answer is the path.
    QString saveFile(QWidget* parent, const QString& title, const QString& start,
                     const QString& filter);
    // File dialog for opening (an existing file) or saving (the program asks
    // itself before replacing); filter like "*.shp *.gpkg"; "" on cancel.
    QString fileName(QWidget* parent, const QString& title, const QString& filter, bool forSaving);
    // Colour dialog preset with initial; an invalid colour when the user
    // cancels. In test mode the queued answer is a QColor.
    QColor colour(QWidget* parent, const QString& title, const QColor& initial);
    // Number dialog preset with value, taking least to largest with that many
    // decimals; nothing when the user cancels. In test mode the queued
    // answer is the number (given as it is, unchecked).
    std::optional<double> number(QWidget* parent, const QString& title, const QString& label,
                                 double value, double least, double largest, int decimals);
    // Opens a file, mail or web URL with the desktop's default program
    // (DesktopOpener); false when no program took it.
    bool openUrl(const QUrl& url);

    // Test side. In test mode nothing is shown: each call takes the next
    // queued answer (a StandardButton as int, or a path), or returns the
    // cancelling default when the queue is empty.
    void setTestMode(bool on) { m_testMode = on; }
    // Without a user (a run that only loads and reports): messages go to
    // standard error, questions take their cancelling default.
    void setNonInteractive(bool on) { m_nonInteractive = on; }
    bool interactive() const { return !m_testMode && !m_nonInteractive; }
    bool testMode() const { return m_testMode; }
    void setNextAnswer(const QVariant& answer) { m_answers.push_back(answer); }
    // Replaces the desktop call of openUrl in every mode (empty: the desktop
    // again), so a test can record URLs and let their opening fail.
    using UrlOpener = std::function<bool(const QUrl&)>;
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }
    struct Shown {
        QString kind; // "message", "folder", "file", "colour", "number", "url"
        QString title;
        QString text;
        int icon = 0;
        bool underWaitPointer = false; // an override pointer was showing over it
    };
    const QList<Shown>& shown() const { return m_shown; }
    void clearShown() { m_shown.clear(); }

private:
    QVariant takeAnswer();
    bool m_testMode = false;
    bool m_nonInteractive = false;
    std::deque<QVariant> m_answers;
    UrlOpener m_urlOpener;
    QList<Shown> m_shown;
};
