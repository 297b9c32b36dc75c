#pragma once

#include <QStyledItemDelegate>

#include <functional>
#include <optional>

struct ProgramState;

// Marks the cells of measurements whose largest DOP lies above the threshold
// (state.dopgrenze, read at every paint): a tinted cell whose tooltip gives
// the reason, e.g. "max. DOP 6.2 > 4". Other cells paint and edit as usual.
class DopMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // The largest DOP of a row's measurement; nothing when it is not known.
    using DopOf = std::function<std::optional<double>(const QModelIndex& index)>;
    DopMarkDelegate(const ProgramState& state, DopOf dopOf, QObject* parent = nullptr);

    // The reason index is marked; "" when it is not.
    QString markOf(const QModelIndex& index) const;
    static QColor tint() { return QColor(255, 170, 160); }

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    const ProgramState& m_state;
    DopOf m_dopOf;
};
