#pragma once

#include "BackgroundRelease.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

#include <utility>

// Row role of the grid models: the row's bookmark (SQLite rowid).
constexpr int BookmarkRole = Qt::UserRole + 1;

// What the grids share: fixed columns named by their database fields
// (FormTranslator::DataFieldRole) with captions the translation replaces.
class GridTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // fields: one database field per column; the captions start as the fields.
    explicit GridTableModel(QStringList fields, QObject* parent = nullptr);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role) override;

protected:
    // Row of a bookmark in rowOf, of rows with the same bookmark the first.
    template <typename Rows> static QHash<qint64, int> rowsByBookmark(const Rows& rows)
    {
        QHash<qint64, int> rowOf;
        rowOf.reserve(rows.size());
        for (int row = int(rows.size()) - 1; row >= 0; --row)
            rowOf.insert(rows.at(row).rowid, row);
        return rowOf;
    }

private:
    QStringList m_fields;
    QStringList m_captions;
};

// A grid over a list of rows that carry their bookmark as rowid.
template <typename Row> class RowGridModel : public GridTableModel {
public:
    using GridTableModel::GridTableModel;

    // Replaces all rows (a model reset: views lose their selection).
    void setRows(const QList<Row>& rows)
    {
        beginResetModel();
        QList<Row> old = std::exchange(m_rows, rows);
        m_rowOf = rowsByBookmark(m_rows);
        endResetModel();
        // Thousands of rows of strings take milliseconds to free.
        constexpr qsizetype freedLater = 1000;
        if (old.size() >= freedLater && old.isDetached())
            m_release.release(std::move(old));
    }
    const QList<Row>& rows() const { return m_rows; }
    // Row of a bookmark, -1 when not listed.
    int rowOf(qint64 bookmark) const { return m_rowOf.value(bookmark, -1); }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_rows.size());
    }

protected:
    // The row of a valid index of this model, else null.
    const Row* rowAt(const QModelIndex& index) const
    {
        return index.isValid() && index.row() < m_rows.size() ? &m_rows.at(index.row()) : nullptr;
    }
    QList<Row> m_rows;

private:
    QHash<qint64, int> m_rowOf; // bookmark -> row
    BackgroundRelease m_release;
};
