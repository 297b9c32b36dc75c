#include "DelayedProgress.h"

#include <QProgressDialog>
#include <QWidget>

DelayedProgress::DelayedProgress(QWidget* parent, const QString& label)
    : m_parent(parent), m_label(label)
{
    m_clock.start();
}

DelayedProgress::~DelayedProgress() = default;

bool DelayedProgress::operator()(qsizetype done, qsizetype total)
{
    if (!m_dialog) {
        if (m_clock.elapsed() < quietMs)
            return true;
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setObjectName(QStringLiteral("abgleichfortschritt"));
        if (m_parent)
            m_dialog->setWindowTitle(m_parent->window()->windowTitle());
        m_dialog->setLabelText(m_label);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setRange(0, int(total));
    }
    m_dialog->setValue(int(done)); // lets the dialog's events run
    return !m_dialog->wasCanceled();
}
