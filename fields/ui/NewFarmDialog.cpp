#include "NewFarmDialog.h"

#include "DialogActivation.h"
#include "FarmNameCheck.h"
#include "FormBehaviour.h"
#include "Messages.h"
#include "ProgramState.h"
#include "TextCatalogue.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NewFarmDialog::NewFarmDialog(ProgramState& state, QWidget* parent) : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("Betriebeneu"));
    setWindowTitle(QStringLiteral("Betrieb neu anlegen"));
    m_label = new QLabel(QStringLiteral(" Name des Betriebes:"), this);
    m_label->setObjectName(QStringLiteral("panname"));
    m_label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("txtname"));
    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("cmdok"));
    m_cancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
    m_cancel->setObjectName(QStringLiteral("cmdabbrechen"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_label, 0, 0);
    layout->addWidget(m_name, 0, 1, 1, 2);
    layout->addWidget(m_ok, 1, 1);
    layout->addWidget(m_cancel, 1, 2);
    layout->setColumnMinimumWidth(1, 110);

    connect(m_ok, &QPushButton::clicked, this, &NewFarmDialog::onOk);
    connect(m_cancel, &QPushButton::clicked, this, &NewFarmDialog::reject);
    m_keys = new FormKeyHandler(this, state, QStringLiteral("Betrieb neu.HTM"), m_cancel, m_ok);
    DialogActivation::loaded(this, parent, m_state);
}

QString NewFarmDialog::ask()
{
    m_accepted.clear();
    exec();
    return m_accepted;
}

void NewFarmDialog::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    DialogActivation::changed(this, event, m_keys, m_state, m_name);
}

void NewFarmDialog::reject()
{
    m_accepted.clear();
    QDialog::reject();
}

void NewFarmDialog::onOk()
{
    const QString name = FarmNameCheck::folderName(m_name->text());
    const int refused = FarmNameCheck::check(m_state.programmpfad, name);
    if (refused != FarmNameCheck::Accepted) {
        QStringList args;
        if (refused == FarmNameCheck::Reserved)
            args << name;
        if (refused == FarmNameCheck::TooLong)
            args << QString::number(FarmNameCheck::maxNameBytes(m_state.programmpfad));
        Messages::operatingError(this, m_state,
                                 {QStringLiteral("Betriebeneu"), QStringLiteral("Kontrollename"),
                                  QString::number(refused)},
                                 args);
        m_name->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_accepted = name;
    accept();
}
