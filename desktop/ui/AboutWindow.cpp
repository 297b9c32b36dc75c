#include "AboutWindow.h"

#include "FormBehaviour.h"
#include "FormTranslator.h"
#include "ProgramInfo.h"
#include "ProgramState.h"
#include "SystemInfoWindow.h"
#include "Twips.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* control = new QLabel(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

void markRunTimeText(QLabel* control)
{
    control->setProperty(AboutWindow::runTimeTextProperty(), true);
}
} // namespace

AboutWindow::AboutWindow(ProgramState& state, const QString& databasePath, QWidget* owner)
    : QDialog(owner), m_state(state), m_databasePath(databasePath)
{
    setObjectName(QStringLiteral("logo"));
    setWindowTitle(QStringLiteral("Info"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap(QStringLiteral(":/icons/sorvan-gis-viewer.png"))
                           .scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture->setAlignment(Qt::AlignTop);

    QLabel* title = label(this, "lblname", ProgramState::programTitle());
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    markRunTimeText(title);
    QLabel* versionLabel = label(this, "lblversion", QStringLiteral("Programmversion"));
    m_version = label(this, "lblprogrammversion", ProgramInfo::version());
    markRunTimeText(m_version);
    QLabel* dateLabel = label(this, "lbldatum", QStringLiteral("Programmdatum"));
    m_date = label(this, "lblprogrammdatum", ProgramInfo::programDate());
    markRunTimeText(m_date);

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QLabel* notice = label(this, "lblrechtshinweis",
                           QStringLiteral("Dieses Programm ist urheberrechtlich geschützt."));
    notice->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("cmdok"));
    auto* systemInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    systemInfo->setObjectName(QStringLiteral("cmdsysteminfo"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfo, &QPushButton::clicked, this, &AboutWindow::startSysInfo);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->addWidget(picture, 0, 0, 3, 1);
    grid->addWidget(title, 0, 1, 1, 2);
    grid->addWidget(versionLabel, 1, 1);
    grid->addWidget(m_version, 1, 2);
    grid->addWidget(dateLabel, 2, 1);
    grid->addWidget(m_date, 2, 2);
    grid->addWidget(line, 3, 0, 1, 3);
    grid->addWidget(notice, 4, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(systemInfo);
    buttons->addWidget(ok);
    grid->addLayout(buttons, 5, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    notice->setMinimumWidth(420);

    // Esc acts as cmdok; F1 opens the window's help page.
    new FormKeyHandler(this, m_state, QStringLiteral("Info.HTM"), ok, ok);
    FormBehaviour::fensteroben(this, owner); // opens centred on its owner
    FormTranslator::translateWindow(this, m_state);
}

QString AboutWindow::versionCaption() const
{
    return m_version->text();
}

QString AboutWindow::dateCaption() const
{
    return m_date->text();
}

void AboutWindow::startSysInfo()
{
    SystemInfoWindow window(m_state, m_databasePath, this);
    window.exec();
}
