#include "Messages.h"

#include "Placeholders.h"
#include "ProgramState.h"
#include "Prompter.h"
#include "Texts.h"

#include <QDir>
#include <QHash>

namespace Messages {

namespace {
RepeatGuard* activeGuard = nullptr;
QString activeName;
QHash<QString, QStringList>& shownBefore()
{
    static QHash<QString, QStringList> texts;
    return texts;
}
QHash<QString, QStringList>& shownNow()
{
    static QHash<QString, QStringList> texts;
    return texts;
}

// Records the text under the active guard; true when it is to be left out.
bool repeated(const QString& text)
{
    if (!activeGuard)
        return false;
    shownNow()[activeName].append(text);
    return shownBefore().value(activeName).contains(text);
}

void show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    if (!repeated(text))
        Prompter::instance().message(parent, icon, title, text);
}
} // namespace

RepeatGuard::RepeatGuard(const QString& name) : m_name(name), m_outer(activeGuard)
{
    if (!m_outer) {
        activeGuard = this;
        activeName = name;
        shownNow().remove(name);
    }
}

RepeatGuard::~RepeatGuard()
{
    if (m_outer)
        return;
    shownBefore().insert(m_name, shownNow().take(m_name));
    activeGuard = nullptr;
    activeName.clear();
}

QString format(const ProgramState& state, const TextKey& key, const QStringList& args)
{
    const QString text = textholen(state, key);
    if (text.isEmpty()) // no catalogue: the key and the values still tell what happened
        return QStringList{key.form + '/' + key.control + '/' + key.property, args.join(", ")}.join(
            ": ");
    return fillPlaceholders(text, args);
}

void operatingError(QWidget* parent, const ProgramState& state, const TextKey& key,
                    const QStringList& args)
{
    show(parent, QMessageBox::Critical, state.titelbedienungsfehler, format(state, key, args));
}

void entryError(QWidget* parent, const ProgramState& state, const TextKey& key,
                const QStringList& args)
{
    show(parent, QMessageBox::Critical, state.titeleingabefehler, format(state, key, args));
}

void information(QWidget* parent, const ProgramState& state, const TextKey& key,
                 const QStringList& args)
{
    show(parent, QMessageBox::Information, state.titelinformation, format(state, key, args));
}

bool confirm(QWidget* parent, const ProgramState& state, const TextKey& key,
             const QStringList& args)
{
    return Prompter::instance().message(parent, QMessageBox::Question,
                                        state.titelsicherheitsabfrage, format(state, key, args),
                                        QMessageBox::Yes | QMessageBox::No,
                                        QMessageBox::No) == QMessageBox::Yes;
}

void failure(QWidget* parent, const ProgramState& state, const TextKey& key,
             const OperationError& error, const QStringList& args)
{
    QString detail = error.detail;
    if (!error.where.isEmpty())
        detail = error.where + ": " + detail;
    const QString text = format(state, key, args) + QStringLiteral("\n\n") +
                         QString::number(error.code()) + QStringLiteral("\n\n") + detail +
                         QStringLiteral(".");
    show(parent, QMessageBox::Critical, state.titelbedienungsfehler, text);
}

bool fileProblem(QWidget* parent, const ProgramState& state, const OperationError& error)
{
    const QString file = QDir::toNativeSeparators(error.where);
    switch (error.kind) {
    case ErrorKind::NotADatabase:
        operatingError(parent, state, TextKeys::notADatabase, {file});
        return true;
    case ErrorKind::AccessDatabase:
        operatingError(parent, state, TextKeys::accessDatabase, {file});
        return true;
    case ErrorKind::TableMissing:
        operatingError(parent, state, TextKeys::tableMissing, {file, error.detail});
        return true;
    case ErrorKind::ColumnMissing:
        operatingError(parent, state, TextKeys::columnMissing, {file, error.detail});
        return true;
    case ErrorKind::UnknownCollation:
        operatingError(parent, state, TextKeys::unknownCollation, {file, error.detail});
        return true;
    case ErrorKind::FolderNotFile:
        operatingError(parent, state, TextKeys::folderNotFile, {file});
        return true;
    case ErrorKind::FileNotFolder:
        operatingError(parent, state, TextKeys::fileNotFolder, {file});
        return true;
    default:
        return false;
    }
}

} // namespace Messages
