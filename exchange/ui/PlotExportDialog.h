#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QListWidget;
struct ProgramState;

// Eingabe > "Schläge exportieren…": the chosen farms' plots with their rows
// into one file (GeoPackage, shapefile, GeoJSON or KML) for other programs,
// through the command-line program's export. An existing file is replaced
// only when the user agrees.
class PlotExportDialog : public QDialog {
    Q_OBJECT
public:
    explicit PlotExportDialog(ProgramState& state, QWidget* parent = nullptr);
    void setTarget(const QString& file);

private:
    void runExport();

    ProgramState& m_state;
    QListWidget* m_farms;
    QComboBox* m_format;
    QLineEdit* m_file;
};
