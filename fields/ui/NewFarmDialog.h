#pragma once

#include <QDialog>

class FormKeyHandler;
class QLabel;
class QLineEdit;
class QPushButton;
struct ProgramState;

// Betriebeneu: asks for the name of a new farm and checks it
// (FarmNameCheck). Creates nothing itself.
class NewFarmDialog : public QDialog {
    Q_OBJECT
public:
    NewFarmDialog(ProgramState& state, QWidget* parent = nullptr);

    // Shows the dialog modally; returns neuerordner, the accepted name,
    // trimmed, or "" when the dialog ends any other way.
    QString ask();

    void reject() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void onOk();

    ProgramState& m_state;
    QLineEdit* m_name = nullptr;     // txtname
    QLabel* m_label = nullptr;       // panname
    QPushButton* m_ok = nullptr;     // cmdok
    QPushButton* m_cancel = nullptr; // cmdabbrechen
    FormKeyHandler* m_keys = nullptr;
    QString m_accepted; // neuerordner
};
