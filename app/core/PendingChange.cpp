#include "PendingChange.h"

#include "FileGuard.h"

#include <QFile>

namespace PendingChange {

namespace {
// Tabs and line ends cannot occur in farm or file names the program composes;
// they are left out should one occur all the same.
QString field(QString text)
{
    return text.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ');
}
} // namespace

QString path(const QString& programFolder)
{
    return programFolder + QStringLiteral("/.sorvan-pending");
}

OperationError record(const QString& programFolder, const Change& change)
{
    Change written{field(change.operation), {}};
    for (const QStringList& row : change.rows) {
        QStringList fields;
        for (const QString& value : row)
            fields.append(field(value));
        written.rows.append(fields);
    }
    // A record of another change is one still to be finished; writing over
    // it would lose it.
    if (const std::optional<Change> under = read(programFolder);
        under && (under->operation != written.operation || under->rows != written.rows))
        return {ErrorKind::Refused, QStringLiteral("an earlier change is still to be finished"),
                path(programFolder)};
    QString text = written.operation + '\n';
    for (const QStringList& fields : std::as_const(written.rows))
        text += fields.join('\t') + '\n';
    // The end line tells a whole record from one cut short.
    text += QStringLiteral("end\n");
    return FileGuard::replaceFile(programFolder, path(programFolder), text.toUtf8());
}

std::optional<Change> read(const QString& programFolder)
{
    QFile file;
    if (FileGuard::openForReading(file, path(programFolder)).isError())
        return std::nullopt;
    QStringList lines = QString::fromUtf8(file.read(1 << 20)).split('\n');
    if (lines.size() < 3 || lines.takeLast() != QString() || lines.takeLast() != "end")
        return std::nullopt;
    Change change;
    change.operation = lines.takeFirst();
    for (const QString& line : std::as_const(lines))
        change.rows.append(line.split('\t'));
    return change;
}

OperationError clear(const QString& programFolder)
{
    return FileGuard::removeFile(programFolder, path(programFolder));
}

} // namespace PendingChange
