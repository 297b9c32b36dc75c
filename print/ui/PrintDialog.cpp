#include "PrintDialog.h"

#include "DialogActivation.h"
#include "FormBehaviour.h"
#include "ProgramState.h"
#include "TextCatalogue.h"
#include "Twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

namespace {
// Places widget at a position and size given in twips.
template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                        Twips::toPixels(height));
    return widget;
}

QFrame* panel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* frame = place(new QFrame(parent), name, left, top, width, height);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return frame;
}
} // namespace

PrintDialog::PrintDialog(ProgramState& state, Run run, QWidget* parent)
    : QDialog(parent), m_state(state), m_run(std::move(run))
{
    setObjectName(QStringLiteral("drucken"));
    setWindowTitle(QStringLiteral("Ansicht drucken"));
    QFrame* scaling = panel(this, "SSPanel2", 60, 60, 3675, 915);
    m_fill = place(new QRadioButton(QStringLiteral("formatfüllend"), scaling), "optformatfuellend",
                   180, 180, 3135, 255);
    m_displayed = place(new QRadioButton(QStringLiteral("im angezeigten Maßstab"), scaling),
                        "optmassstab", 180, 540, 3135, 255);
    m_fill->setChecked(true);
    QFrame* listing = panel(this, "SSPanel1", 60, 1020, 3675, 1335);
    m_list = place(new QCheckBox(QStringLiteral("Liste drucken"), listing), "chkliste", 180, 180,
                   3255, 255);
    m_ownPage = place(new QCheckBox(QStringLiteral("auf eigene Seite"), listing), "chkeigeneseite",
                      420, 540, 2835, 255);
    m_ownPage->setEnabled(false);
    m_subtotals = place(new QCheckBox(QStringLiteral("mit Zwischensummen"), listing),
                        "chkzwischensummen", 420, 900, 3135, 255);
    m_subtotals->setEnabled(false);
    QFrame* labelling = panel(this, "SSPanel3", 60, 2400, 3675, 555);
    m_labels = place(new QCheckBox(QStringLiteral("Schläge beschriften"), labelling),
                     "chkbeschriftung", 180, 150, 3255, 255);
    m_ok = place(new QPushButton(QStringLiteral("&Ok"), this), "cmdok", 60, 3000, 1575, 375);
    m_cancel = place(new QPushButton(QStringLiteral("&Abbrechen"), this), "cmdabbrechen", 2100,
                     3000, 1575, 375);
    setFixedSize(Twips::toPixels(3780), Twips::toPixels(3405));

    connect(m_list, &QCheckBox::toggled, this, &PrintDialog::onListToggled);
    connect(m_ok, &QPushButton::clicked, this, &PrintDialog::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &PrintDialog::reject);
    m_keys = new FormKeyHandler(this, state, QStringLiteral("drucken.HTM"), m_cancel, m_ok);
    DialogActivation::loaded(this, parent, m_state);
}

PrintOptions PrintDialog::options() const
{
    PrintOptions options;
    options.displayedScale = m_displayed->isChecked();
    options.list = m_list->isChecked();
    options.ownPage = m_ownPage->isChecked();
    options.subtotals = m_subtotals->isChecked();
    options.labels = m_labels->isChecked();
    return options;
}

void PrintDialog::setLabels(bool shown)
{
    m_labels->setChecked(shown);
}

void PrintDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    DialogActivation::changed(this, event, m_keys, m_state, m_list);
}

void PrintDialog::onListToggled(bool checked)
{
    for (QCheckBox* option : {m_ownPage, m_subtotals}) {
        if (!checked)
            option->setChecked(false);
        option->setEnabled(checked);
    }
}

void PrintDialog::onOk()
{
    if (m_run && m_run(options()))
        accept();
}
