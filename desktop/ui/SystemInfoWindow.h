#pragma once

#include <QDialog>

struct ProgramState;

// systeminfo: what the platform reports about this machine (operating system,
// kernel, Qt, screens, locale) and where the program keeps its files, one
// labelled line each; the whole can be copied for a support request.
class SystemInfoWindow : public QDialog {
    Q_OBJECT
public:
    // databasePath: the open project database, "" when there is none.
    SystemInfoWindow(ProgramState& state, const QString& databasePath, QWidget* owner = nullptr);

    // The lines as shown, "caption value", one a line.
    QString reportText() const;
};
