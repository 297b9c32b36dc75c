#include "LanguageDialog.h"

#include "ProgramState.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

LanguageDialog::LanguageDialog(ProgramState& state, QWidget* parent)
    : QDialog(parent), m_state(state)
{
    setObjectName(QStringLiteral("spracheneu"));
    setWindowTitle(QStringLiteral("Sprache auswählen / Select Language"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("SSPanel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    m_list = new QListWidget(panel);
    m_list->setObjectName(QStringLiteral("lstsprachen"));
    m_list->addItems(languageNames());
    m_list->setCurrentRow(0);
    panelLayout->addWidget(m_list);
    m_ok = new QPushButton(QStringLiteral("&Ok"), this);
    m_ok->setObjectName(QStringLiteral("cmdok"));
    layout->addWidget(panel);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    connect(m_ok, &QPushButton::clicked, this, &LanguageDialog::accept);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &LanguageDialog::accept);
    // Wide enough for its two-language title beside the window buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle());
    resize(std::max(300, titleWidth + 150), 220);
}

QStringList LanguageDialog::languageNames()
{
    return {QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("Français"),
            QStringLiteral("Italiano"), QStringLiteral("Magyar")};
}

bool LanguageDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        // Enter confirms only during the start sequence.
        m_ok->setAutoDefault(false);
        m_ok->setDefault(!m_state.eingabemodus);
        m_list->setFocus();
    }
    return QDialog::event(event);
}

void LanguageDialog::accept()
{
    const int row = m_list->currentRow();
    m_state.sprache = (row < 0 ? 0 : row) + 1;
    QDialog::accept();
}

void LanguageDialog::choose()
{
    exec();
    if (m_state.sprache <= 0)
        m_state.sprache = 1;
}
