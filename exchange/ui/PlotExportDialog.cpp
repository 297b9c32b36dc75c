#include "PlotExportDialog.h"

#include "ExchangeProcess.h"
#include "ExchangeTextKeys.h"
#include "FormTranslator.h"
#include "Messages.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "ProjectDatabase.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
struct Format {
    const char* driver;
    const char* suffix;
    const char* caption;
};
const Format formats[] = {{"GPKG", "gpkg", "GeoPackage (*.gpkg)"},
                          {"ESRI Shapefile", "shp", "Shapefile (*.shp)"},
                          {"GeoJSON", "geojson", "GeoJSON (*.geojson)"},
                          {"KML", "kml", "KML (*.kml)"}};
} // namespace

PlotExportDialog::PlotExportDialog(ProgramState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmschlagexport"));
    setWindowTitle(QStringLiteral("Schläge exportieren"));
    auto* grid = new QGridLayout(this);
    m_farms = new QListWidget(this);
    m_farms->setObjectName(QStringLiteral("lstbetriebe"));
    m_farms->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (m_state.database)
        m_farms->addItems(m_state.database->farmNames());
    m_farms->selectAll();
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("cboformat"));
    for (const Format& format : formats)
        m_format->addItem(QString::fromLatin1(format.caption), QString::fromLatin1(format.driver));
    m_file = new QLineEdit(this);
    m_file->setObjectName(QStringLiteral("datdatei"));
    auto* browse = new QPushButton(QStringLiteral("Durchsuchen…"), this);
    browse->setObjectName(QStringLiteral("cmdDatei"));
    auto label = [this](const char* name, const char* text) {
        auto* widget = new QLabel(QString::fromUtf8(text), this);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    grid->addWidget(label("lblBetriebe", "Betriebe:"), 0, 0, Qt::AlignTop);
    grid->addWidget(m_farms, 0, 1, 1, 2);
    grid->addWidget(label("lblFormat", "Format:"), 1, 0);
    grid->addWidget(m_format, 1, 1, 1, 2);
    grid->addWidget(label("lblDatei", "Datei:"), 2, 0);
    grid->addWidget(m_file, 2, 1);
    grid->addWidget(browse, 2, 2);
    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton(QStringLiteral("&Exportieren"), this);
    exportButton->setObjectName(QStringLiteral("cmdExportieren"));
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("cmdSchliessen"));
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    grid->addLayout(buttons, 3, 0, 1, 3);

    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = Prompter::instance().fileName(
            this, windowTitle(), QString::fromLatin1(formats[m_format->currentIndex()].caption), true);
        if (!file.isEmpty())
            setTarget(file);
    });
    connect(exportButton, &QPushButton::clicked, this, &PlotExportDialog::runExport);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    if (m_state.catalogue)
        FormTranslator::formuebersetzen(this, *m_state.catalogue, m_state.sprache);
}

void PlotExportDialog::setTarget(const QString& file)
{
    QString path = file;
    const Format& format = formats[m_format->currentIndex()];
    if (QFileInfo(path).suffix().isEmpty())
        path += '.' + QString::fromLatin1(format.suffix);
    m_file->setText(QDir::toNativeSeparators(path));
}

void PlotExportDialog::runExport()
{
    const QString file = QDir::fromNativeSeparators(m_file->text().trimmed());
    if (file.isEmpty()) {
        Messages::entryError(this, m_state, ExchangeTextKeys::noFile);
        return;
    }
    const QList<QListWidgetItem*> chosen = m_farms->selectedItems();
    if (chosen.isEmpty()) {
        Messages::entryError(this, m_state, ExchangeTextKeys::noFarms);
        return;
    }
    QStringList args = {QStringLiteral("export"), QStringLiteral("--folder"), m_state.programmpfad,
                        QStringLiteral("--out"), file, QStringLiteral("--format"),
                        m_format->currentData().toString()};
    for (const QListWidgetItem* item : chosen)
        args << QStringLiteral("--farm") << item->text();
    if (QFileInfo::exists(file)) {
        if (!Messages::confirm(this, m_state, ExchangeTextKeys::replace,
                               {QDir::toNativeSeparators(file)}))
            return;
        args << QStringLiteral("--force");
    }
    const ExchangeProcess::Output output = ExchangeProcess::run(args);
    if (output.exitCode != 0) {
        Messages::operatingError(this, m_state, ExchangeTextKeys::exportFailed,
                                 {output.err.trimmed()});
        return;
    }
    // "wrote N plots of ..."
    Messages::information(this, m_state, ExchangeTextKeys::exported,
                          {output.out.section(' ', 1, 1), QDir::toNativeSeparators(file)});
}
