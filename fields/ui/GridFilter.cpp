#include "GridFilter.h"

#include <QKeyEvent>

GridFilter::GridFilter(QAbstractItemModel* source, QList<int> columns, QObject* parent)
    : QSortFilterProxyModel(parent), m_columns(std::move(columns))
{
    setSourceModel(source);
}

void GridFilter::setText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed == m_text)
        return;
    m_text = trimmed;
    emit aboutToFilter();
    invalidateRowsFilter();
    emit filtered();
}

int GridFilter::sourceRow(const QModelIndex& index) const
{
    return index.isValid() ? mapToSource(index).row() : -1;
}

QModelIndex GridFilter::shownIndex(int sourceRow) const
{
    return mapFromSource(sourceModel()->index(sourceRow, 0));
}

bool GridFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_text.isEmpty())
        return true;
    for (const int column : m_columns) {
        const QString shown =
            sourceModel()->index(sourceRow, column, sourceParent).data().toString();
        if (shown.contains(m_text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

FilterField::FilterField(GridFilter* filter, const QString& name, QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    setClearButtonEnabled(true);
    connect(this, &QLineEdit::textChanged, filter, &GridFilter::setText);
}

void FilterField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
