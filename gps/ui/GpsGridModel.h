#pragma once

#include "GpsTable.h"

#include "GridTableModel.h"

// The GPS grid grdgpsdaten: column 0 Dateiname, column 1 Datum. Datum is
// stored as yyyymmdd and shown as dd.mm.yyyy. Each row's bookmark (rowid) is
// in BookmarkRole of column 0.
class GpsGridModel : public RowGridModel<GpsRow> {
    Q_OBJECT
public:
    explicit GpsGridModel(QObject* parent = nullptr);

    // yyyymmdd as dd.mm.yyyy: the last two characters, characters 5 and 6,
    // the first four.
    static QString shownDate(const QString& stored);

    QVariant data(const QModelIndex& index, int role) const override;
};
