#pragma once

#include "OperationError.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The record of a change to files and database that is under way, so that a
// change cut short (the process killed, the power gone) is finished at the
// next start instead of leaving a plot half deleted or half assigned. It is
// written (on disk) before the first file or row changes and removed once
// the change is complete; one change is under way at a time.
namespace PendingChange {

struct Change {
    QString operation;       // what to finish, e.g. "deleteplots"
    QList<QStringList> rows; // its arguments, one list of texts per item
};

// The record's place in the program folder (a hidden file).
QString path(const QString& programFolder);

// Refused while another change is recorded (one that could not be finished
// yet); recording the same change again is how finishing it starts.
OperationError record(const QString& programFolder, const Change& change);
// The change recorded; nothing when there is none or the record is unreadable.
std::optional<Change> read(const QString& programFolder);
OperationError clear(const QString& programFolder);

} // namespace PendingChange
