#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
struct ProgramState;

// logo: the program's title, version, date and legal notice, and a button for
// the system information window. Loading it (the constructor) keeps it above
// its owner, places it, fills in the version and translates it; the support
// mail reads its labels without showing it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    // databasePath: the open project database, "" when there is none.
    AboutWindow(ProgramState& state, const QString& databasePath, QWidget* owner = nullptr);

    // Captions of lblprogrammversion and lblprogrammdatum.
    QString versionCaption() const;
    QString dateCaption() const;

    // cmdsysteminfo: shows the system information window modally.
    void startSysInfo();

    // Name of the dynamic property that marks labels whose text the window
    // sets itself (title, version, date): the catalogue has no text for them.
    static const char* runTimeTextProperty() { return "textAtRunTime"; }

private:
    ProgramState& m_state;
    QString m_databasePath;
    QLabel* m_version = nullptr;
    QLabel* m_date = nullptr;
};
