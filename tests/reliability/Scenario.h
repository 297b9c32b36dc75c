#pragma once

#include "OperationError.h"

#include <QMap>
#include <QString>

#include <functional>

struct ProgramState;

// One mutating operation for the kill and fault runs: a program folder to
// start from and the operation on it (its first failure, or none).
struct Scenario {
    QString name;
    std::function<void(const QString& programFolder)> setUp;
    std::function<OperationError(ProgramState& state)> run;
};

// The operations under test, one row each.
QList<Scenario> scenarios();

// What the program folder holds, keyed so that each key changes as a unit:
// "plot:farm/base" (row, anzeigen and which plot files exist with their
// content), "farm:name", "gps:dateiname", every other file by its path, and
// "integrity" (PRAGMA integrity_check).
QMap<QString, QString> snapshot(const QString& programFolder);

// Keys of state whose value is neither that of before nor that of after.
QStringList inconsistencies(const QMap<QString, QString>& state,
                            const QMap<QString, QString>& before,
                            const QMap<QString, QString>& after);
