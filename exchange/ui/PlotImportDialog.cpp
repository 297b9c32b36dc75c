#include "PlotImportDialog.h"

#include "ExchangeProcess.h"
#include "ExchangeTextKeys.h"
#include "FormTranslator.h"
#include "Messages.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "ProjectDatabase.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {
template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The first field whose name contains one of hints (ignoring case), else 0.
int guess(const QStringList& fields, const QStringList& hints)
{
    for (const QString& hint : hints) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (fields.at(i).contains(hint, Qt::CaseInsensitive))
                return static_cast<int>(i) + 1;
        }
    }
    return 0;
}
} // namespace

PlotImportDialog::PlotImportDialog(ProgramState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("frmschlagimport"));
    setWindowTitle(QStringLiteral("Schläge importieren"));
    auto* grid = new QGridLayout(this);
    m_file = named(new QLineEdit(this), "datdatei");
    auto* browse = named(new QPushButton(QStringLiteral("Durchsuchen…"), this), "cmdDatei");
    m_layer = named(new QComboBox(this), "cboebene");
    m_fixedFarm = named(new QRadioButton(QStringLiteral("Betrieb:"), this), "optBetrieb");
    m_farmFromField =
        named(new QRadioButton(QStringLiteral("Betrieb aus Feld:"), this), "optBetriebfeld");
    m_farm = named(new QComboBox(this), "cbobetrieb");
    m_farm->setEditable(true);
    if (m_state.database)
        m_farm->addItems(m_state.database->farmNames());
    m_farmField = named(new QComboBox(this), "cbobetriebfeld");
    m_nameField = named(new QComboBox(this), "cboname");
    m_cropField = named(new QComboBox(this), "cbokultur");
    m_yearField = named(new QComboBox(this), "cbojahr");
    m_report = named(new QPlainTextEdit(this), "berichtfeld");
    m_report->setReadOnly(true);
    m_report->setMinimumSize(560, 220);
    m_fixedFarm->setChecked(true);

    int row = 0;
    grid->addWidget(named(new QLabel(QStringLiteral("Datei:"), this), "lblDatei"), row, 0);
    grid->addWidget(m_file, row, 1);
    grid->addWidget(browse, row++, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("Ebene:"), this), "lblEbene"), row, 0);
    grid->addWidget(m_layer, row++, 1, 1, 2);
    grid->addWidget(m_fixedFarm, row, 0);
    grid->addWidget(m_farm, row++, 1, 1, 2);
    grid->addWidget(m_farmFromField, row, 0);
    grid->addWidget(m_farmField, row++, 1, 1, 2);
    const std::pair<const char*, const char*> labels[] = {
        {"lblName", "Name aus Feld:"}, {"lblKultur", "Kultur aus Feld:"},
        {"lblJahr", "Erntejahr aus Feld:"}};
    QComboBox* combos[] = {m_nameField, m_cropField, m_yearField};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(named(new QLabel(QString::fromUtf8(labels[i].second), this), labels[i].first),
                        row, 0);
        grid->addWidget(combos[i], row++, 1, 1, 2);
    }
    grid->addWidget(m_report, row++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    auto* preview = named(new QPushButton(QStringLiteral("&Vorschau"), this), "cmdVorschau");
    auto* import = named(new QPushButton(QStringLiteral("&Importieren"), this), "cmdImportieren");
    auto* close = named(new QPushButton(QStringLiteral("Schließen"), this), "cmdSchliessen");
    buttons->addStretch();
    for (QPushButton* button : {preview, import, close})
        buttons->addWidget(button);
    grid->addLayout(buttons, row, 0, 1, 3);

    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = Prompter::instance().fileName(
            this, windowTitle(),
            QStringLiteral("*.shp *.gpkg *.gml *.geojson *.json *.kml *.kmz *.gpx *.fgb *.zip"),
            false);
        if (!file.isEmpty())
            chooseFile(file);
    });
    connect(m_file, &QLineEdit::returnPressed, this, [this] {
        if (!m_file->text().trimmed().isEmpty())
            chooseFile(QDir::fromNativeSeparators(m_file->text().trimmed()));
    });
    connect(m_layer, &QComboBox::currentIndexChanged, this, &PlotImportDialog::showFields);
    connect(preview, &QPushButton::clicked, this, [this] { runImport(true); });
    connect(import, &QPushButton::clicked, this, [this] { runImport(false); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    if (m_state.catalogue)
        FormTranslator::formuebersetzen(this, *m_state.catalogue, m_state.sprache);
}

bool PlotImportDialog::chooseFile(const QString& file)
{
    const ExchangeProcess::Output output =
        ExchangeProcess::run({QStringLiteral("import-plots"), QStringLiteral("--describe"), file});
    if (output.exitCode != 0) {
        Messages::operatingError(this, m_state, ExchangeTextKeys::unreadable,
                                 {QDir::toNativeSeparators(file), output.err.trimmed()});
        return false;
    }
    m_fields.clear();
    m_layer->blockSignals(true);
    m_layer->clear();
    for (const QString& line : output.out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList cells = line.split('\t');
        if (cells.value(0) == QLatin1String("layer")) {
            m_layer->addItem(cells.value(1));
            m_fields.insert(cells.value(1), {});
        } else if (cells.value(0) == QLatin1String("field")) {
            m_fields[cells.value(1)].append(cells.value(2));
        }
    }
    m_layer->blockSignals(false);
    m_file->setText(QDir::toNativeSeparators(file));
    m_file->setProperty("path", file);
    showFields();
    return true;
}

void PlotImportDialog::showFields()
{
    const QStringList fields = m_fields.value(m_layer->currentText());
    const QString none = Messages::format(m_state, ExchangeTextKeys::noField);
    const std::pair<QComboBox*, QStringList> combos[] = {
        {m_farmField, {"betrieb", "farm", "cvr", "journal"}},
        {m_nameField, {"name", "navn", "nom", "marknr", "schlag"}},
        {m_cropField, {"kultur", "crop", "afgroede", "culture"}},
        {m_yearField, {"jahr", "year", "aar"}}};
    for (const auto& [combo, hints] : combos) {
        combo->clear();
        combo->addItem(none);
        combo->addItems(fields);
        combo->setCurrentIndex(guess(fields, hints));
    }
}

QStringList PlotImportDialog::arguments()
{
    const QString file = m_file->property("path").toString();
    if (file.isEmpty()) {
        Messages::entryError(this, m_state, ExchangeTextKeys::noFile);
        return {};
    }
    QStringList arguments = {QStringLiteral("import-plots"), QStringLiteral("--folder"),
                             m_state.programmpfad, file};
    if (m_layer->count() > 1)
        arguments << QStringLiteral("--layer") << m_layer->currentText();
    if (m_fixedFarm->isChecked() && !m_farm->currentText().trimmed().isEmpty())
        arguments << QStringLiteral("--farm") << m_farm->currentText().trimmed();
    else if (m_farmFromField->isChecked() && m_farmField->currentIndex() > 0)
        arguments << QStringLiteral("--farm-from") << m_farmField->currentText();
    else {
        Messages::entryError(this, m_state, ExchangeTextKeys::noFarm);
        return {};
    }
    const std::pair<const char*, QComboBox*> fields[] = {
        {"--name-from", m_nameField}, {"--crop-from", m_cropField}, {"--year-from", m_yearField}};
    for (const auto& [option, combo] : fields) {
        if (combo->currentIndex() > 0)
            arguments << QString::fromLatin1(option) << combo->currentText();
    }
    return arguments;
}

void PlotImportDialog::runImport(bool dryRun)
{
    QStringList args = arguments();
    if (args.isEmpty())
        return;
    if (dryRun)
        args << QStringLiteral("--dry-run");
    const ExchangeProcess::Output output = ExchangeProcess::run(args);
    m_report->setPlainText(output.out + output.err);
    if (output.exitCode != 0) {
        Messages::operatingError(this, m_state, ExchangeTextKeys::importFailed,
                                 {output.err.trimmed()});
        return;
    }
    if (dryRun)
        return;
    // The report's total line: "total<TAB>N plots in ...<TAB>X ha".
    QString plots, hectares;
    for (const QString& line : output.out.split('\n')) {
        if (line.startsWith(QLatin1String("total\t"))) {
            plots = line.section('\t', 1, 1).section(' ', 0, 0);
            hectares = line.section('\t', 2, 2).section(' ', 0, 0);
        }
    }
    m_imported = m_imported || plots.toInt() > 0;
    Messages::information(this, m_state, ExchangeTextKeys::imported, {plots, hectares});
}
