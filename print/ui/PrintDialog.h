#pragma once

#include "PrintRun.h"

#include <QDialog>
#include <functional>

class FormKeyHandler;
class QCheckBox;
class QPushButton;
class QRadioButton;
struct ProgramState;

// drucken: asks how the map is scaled on paper and whether the plot list is
// printed (and where). OK hands the choices to the print run; the dialog
// closes when the run reports success and stays open with the choices
// otherwise. Cancel and Esc close it without printing. Every opening starts
// from the defaults: fill the width, no list.
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    using Run = std::function<bool(const PrintOptions&)>;
    PrintDialog(ProgramState& state, Run run, QWidget* parent = nullptr);

    PrintOptions options() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void onListToggled(bool checked);
    void onOk();

    ProgramState& m_state;
    Run m_run;
    QRadioButton* m_fill = nullptr;      // optformatfuellend
    QRadioButton* m_displayed = nullptr; // optmassstab
    QCheckBox* m_list = nullptr;         // chkliste
    QCheckBox* m_ownPage = nullptr;      // chkeigeneseite
    QPushButton* m_ok = nullptr;         // cmdok
    QPushButton* m_cancel = nullptr;     // cmdabbrechen
    FormKeyHandler* m_keys = nullptr;
};
