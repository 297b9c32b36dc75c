#pragma once

#include "FieldRows.h"
#include "OperationError.h"
#include "TextKeys.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <functional>

// Row role of both grid models: the row's bookmark (SQLite rowid).
constexpr int BookmarkRole = Qt::UserRole + 1;

// The farm grid grdbetriebe: one column Name.
class FarmGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(const QList<FarmRow>& rows);
    const QList<FarmRow>& rows() const { return m_rows; }
    // Row of a bookmark, -1 when not listed.
    int rowOf(qint64 bookmark) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role) override;

private:
    QList<FarmRow> m_rows;
    QHash<qint64, int> m_rowOf; // bookmark -> row
    QString m_caption = QStringLiteral("Name");
};

// The field grid grdschlagdaten: the eleven columns of PlotColumns. Teil
// shows empty for 0; Flaeche, Umfang and maxDOP are shown in the user's
// locale with 4, 0 and 1 decimals; Farbe is painted in its colour. Edits of
// columns 1 to 10 are checked (PlotColumns::check) and stored at once.
class PlotGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Stores one edited value of the row with that bookmark.
    using Store = std::function<OperationError(qint64 rowid, int column, const QVariant& value)>;
    explicit PlotGridModel(Store store, QObject* parent = nullptr);

    void setRows(const QList<PlotRow>& rows);
    const QList<PlotRow>& rows() const { return m_rows; }
    int rowOf(qint64 bookmark) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // False, and nothing changes, for a refused entry or a failed store.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    void entryRefused(const TextKey& message);
    void storeFailed(const OperationError& error);

private:
    Store m_store;
    QList<PlotRow> m_rows;
    QHash<qint64, int> m_rowOf; // bookmark -> row
    QStringList m_captions;
};
