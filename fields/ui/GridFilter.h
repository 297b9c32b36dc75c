#pragma once

#include <QLineEdit>
#include <QList>
#include <QSortFilterProxyModel>

class QAbstractItemView;

// Narrows a grid to the rows whose text in one of the given columns contains
// the filter text, ignoring case; an empty text shows every row. The order
// stays the model's; edits reach the model's row through the filter.
class GridFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    GridFilter(QAbstractItemModel* source, QList<int> columns, QObject* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return m_text; }

signals:
    // Around a change of the rows shown: the grid's selection loses the rows
    // hidden in between.
    void aboutToFilter();
    void filtered();

public:
    // The model's row behind a row of the grid, -1 for an invalid index.
    int sourceRow(const QModelIndex& index) const;
    // The grid's index of the model's row (column 0), invalid when hidden.
    QModelIndex shownIndex(int sourceRow) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QList<int> m_columns;
    QString m_text;
};

// The find field above a grid: typing narrows the grid (GridFilter), Esc
// clears it.
class FilterField : public QLineEdit {
    Q_OBJECT
public:
    FilterField(GridFilter* filter, const QString& name, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
