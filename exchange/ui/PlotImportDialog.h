#pragma once

#include <QDialog>
#include <QMap>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
struct ProgramState;

// Eingabe > "Schläge importieren…": the user picks a vector file, its layer,
// the farm (an existing one, a new name, or a field to group by) and the
// fields of name, crop and harvest year; Vorschau shows what the import
// would do, Importieren does it. The work is done by the command-line
// program's import-plots.
class PlotImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlotImportDialog(ProgramState& state, QWidget* parent = nullptr);
    // True once plots were imported.
    bool importedAny() const { return m_imported; }
    // Reads the file's layers and fields; false (with a message) when it cannot.
    bool chooseFile(const QString& file);

private:
    void showFields();
    // The import-plots arguments for the current choice; empty (with a
    // message) when the choice is incomplete.
    QStringList arguments();
    void runImport(bool dryRun);

    ProgramState& m_state;
    QLineEdit* m_file;
    QComboBox* m_layer;
    QRadioButton* m_fixedFarm;
    QRadioButton* m_farmFromField;
    QComboBox* m_farm;
    QComboBox* m_farmField;
    QComboBox* m_nameField;
    QComboBox* m_cropField;
    QComboBox* m_yearField;
    QPlainTextEdit* m_report;
    QMap<QString, QStringList> m_fields; // layer -> its fields
    bool m_imported = false;
};
