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
// from the defaults: fill the width, no list, no subtotals, labels as the
// caller sets them (setLabels).
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    using Run = std::function<bool(const PrintOptions&)>;
    PrintDialog(ProgramState& state, Run run, QWidget* parent = nullptr);

    PrintOptions options() const;
    // Ticks "Schläge beschriften": the sheet then carries the labels the map shows.
    void setLabels(bool shown);

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
    QCheckBox* m_subtotals = nullptr;    // chkzwischensummen
    QCheckBox* m_labels = nullptr;       // chkbeschriftung
    QPushButton* m_ok = nullptr;         // cmdok
    QPushButton* m_cancel = nullptr;     // cmdabbrechen
    FormKeyHandler* m_keys = nullptr;
};
