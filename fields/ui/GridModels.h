#pragma once

#include "FieldRows.h"
#include "GridTableModel.h"
#include "OperationError.h"
#include "TextKeys.h"

#include <QHash>
#include <QList>
#include <functional>

// The farm grid grdbetriebe: one column Name.
class FarmGridModel : public RowGridModel<FarmRow> {
    Q_OBJECT
public:
    explicit FarmGridModel(QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;
};

// The field grid grdschlagdaten: the eleven columns of PlotColumns. Teil
// shows empty for 0; Flaeche, Umfang and maxDOP are shown in the user's
// locale with 4, 0 and 1 decimals; Farbe is painted in its colour. Edits of
// columns 1 to 10 are checked (PlotColumns::check) and stored at once.
class PlotGridModel : public RowGridModel<PlotRow> {
    Q_OBJECT
public:
    // Stores one edited value of the row with that bookmark.
    using Store = std::function<OperationError(qint64 rowid, int column, const QVariant& value)>;
    explicit PlotGridModel(Store store, QObject* parent = nullptr);

    // The geometry's area (ha) of rows by bookmark: a Flaeche cell that
    // differs from it by more than 1 % is tinted, with tip (%1: the area)
    // as its tooltip. Rows not named keep their plain cell.
    void setGeometryAreas(const QHash<qint64, double>& areasHa, const QString& tip);

    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // False, and nothing changes, for a refused entry or a failed store.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An edited value of column was stored and shows in the grid.
    void valueStored(int column);
    void entryRefused(const TextKey& message);
    void storeFailed(const OperationError& error);

private:
    bool disagreesWithGeometry(int row) const;
    Store m_store;
    QHash<qint64, double> m_geometryHa;
    QString m_geometryTip;
};
