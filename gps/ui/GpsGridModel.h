#pragma once

#include "GpsTable.h"

#include <QAbstractTableModel>
#include <QList>

// The GPS grid grdgpsdaten: column 0 Dateiname, column 1 Datum. Datum is
// stored as yyyymmdd and shown as dd.mm.yyyy. Each row's bookmark (rowid) is
// in BookmarkRole of column 0.
class GpsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<GpsRow>& rows);
    const QList<GpsRow>& rows() const { return m_rows; }
    int rowOf(qint64 bookmark) const;

    // yyyymmdd as dd.mm.yyyy: the last two characters, characters 5 and 6,
    // the first four.
    static QString shownDate(const QString& stored);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role) override;

private:
    QList<GpsRow> m_rows;
    QStringList m_captions{QStringLiteral("Dateiname"), QStringLiteral("Datum")};
};
