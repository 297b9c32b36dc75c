#include "OrderedSelection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QSet>

OrderedSelection::OrderedSelection(QAbstractItemView* view, int bookmarkRole)
    : QObject(view), m_view(view), m_role(bookmarkRole)
{
    QItemSelectionModel* selection = view->selectionModel();
    // A reload empties the selection without a selection change.
    connect(view->model(), &QAbstractItemModel::modelReset, this, [this] {
        m_bookmarks.clear();
        m_selected.clear();
    });
    connect(selection, &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                const auto bookmarkOf = [this](int row) {
                    return m_view->model()->index(row, 0).data(m_role).toLongLong();
                };
                QSet<qint64> removed;
                for (const QItemSelectionRange& range : deselected) {
                    for (int row = range.top(); row <= range.bottom(); ++row) {
                        const qint64 bookmark = bookmarkOf(row);
                        if (!m_view->selectionModel()->isRowSelected(row) &&
                            m_selected.remove(bookmark))
                            removed.insert(bookmark);
                    }
                }
                // One pass over the list, however many rows were deselected.
                if (!removed.isEmpty())
                    m_bookmarks.removeIf(
                        [&removed](qint64 bookmark) { return removed.contains(bookmark); });
                for (const QItemSelectionRange& range : selected) {
                    for (int row = range.top(); row <= range.bottom(); ++row) {
                        const qint64 bookmark = bookmarkOf(row);
                        if (!m_selected.contains(bookmark)) {
                            m_selected.insert(bookmark);
                            m_bookmarks.append(bookmark);
                        }
                    }
                }
                if (m_holds > 0)
                    m_changedWhileHeld = true;
                else
                    emit changed();
            });
}

void OrderedSelection::hold()
{
    ++m_holds;
}

void OrderedSelection::release()
{
    if (m_holds == 0 || --m_holds > 0)
        return;
    // Rows a filter hides leave the view's selection without a reliable
    // signal for each: the list is taken again from the view.
    QSet<qint64> selected;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows())
        selected.insert(index.data(m_role).toLongLong());
    if (selected != m_selected) {
        m_bookmarks.removeIf([&selected](qint64 bookmark) { return !selected.contains(bookmark); });
        for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
            const qint64 bookmark = index.data(m_role).toLongLong();
            if (!m_selected.contains(bookmark))
                m_bookmarks.append(bookmark);
        }
        m_selected = selected;
        m_changedWhileHeld = true;
    }
    if (!m_changedWhileHeld)
        return;
    m_changedWhileHeld = false;
    emit changed();
}
