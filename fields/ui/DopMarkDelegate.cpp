#include "DopMarkDelegate.h"

#include "DopQuality.h"
#include "ProgramState.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

DopMarkDelegate::DopMarkDelegate(const ProgramState& state, DopOf dopOf, QObject* parent)
    : QStyledItemDelegate(parent), m_state(state), m_dopOf(std::move(dopOf))
{
}

QString DopMarkDelegate::markOf(const QModelIndex& index) const
{
    if (!index.isValid() || !m_dopOf)
        return {};
    return DopQuality::reason(m_state, m_dopOf(index), m_state.dopgrenze);
}

void DopMarkDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!markOf(index).isEmpty())
        option->backgroundBrush = tint();
}

bool DopMarkDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index)
{
    if (event && event->type() == QEvent::ToolTip) {
        const QString reason = markOf(index);
        if (!reason.isEmpty()) {
            // The cell's own tooltip (a long name) stays readable below the reason.
            const QString own = index.data(Qt::ToolTipRole).toString();
            QToolTip::showText(event->globalPos(), own.isEmpty() ? reason : reason + '\n' + own,
                               view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
