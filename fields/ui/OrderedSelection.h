#pragma once

#include <QList>
#include <QObject>
#include <QSet>

class QAbstractItemView;

// The selection list of a grid: the bookmarks of its selected rows in the
// order they were selected (a view's own selection keeps no order). The
// model gives each row's bookmark in bookmarkRole of column 0.
class OrderedSelection : public QObject {
    Q_OBJECT
public:
    OrderedSelection(QAbstractItemView* view, int bookmarkRole);

    const QList<qint64>& bookmarks() const { return m_bookmarks; }

    // While held (a filter hides or shows rows), the list follows the
    // selection but `changed` waits: it comes once, at the last release, when
    // the selection changed meanwhile.
    void hold();
    void release();

signals:
    void changed();

private:
    QAbstractItemView* m_view;
    int m_role;
    QList<qint64> m_bookmarks;
    QSet<qint64> m_selected; // the same, for look-ups
    int m_holds = 0;
    bool m_changedWhileHeld = false;
};
