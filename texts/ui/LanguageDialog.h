#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
struct ProgramState;

// spracheneu: asks for the interface language at the first start. Its caption
// is bilingual and never translated.
class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    explicit LanguageDialog(ProgramState& state, QWidget* parent = nullptr);

    static QStringList languageNames();
    // Shows the dialog modally and sets state.sprache: the chosen entry's
    // number (1 = first), or German when the dialog is closed by its frame
    // before any language was chosen.
    void choose();

protected:
    bool event(QEvent* event) override;

private:
    void accept() override;
    ProgramState& m_state;
    QListWidget* m_list;
    QPushButton* m_ok;
};
