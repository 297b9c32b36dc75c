#pragma once

#include "OperationError.h"
#include "TextKeys.h"

#include <QMessageBox>
#include <QStringList>

class QWidget;
struct ProgramState;

// Message boxes with catalogue texts and the program's message titles. The
// text's %1, %2 ... are filled from args in one pass (fillPlaceholders).
namespace Messages {

QString format(const ProgramState& state, const TextKey& key, const QStringList& args = {});

// Critical box titled titelbedienungsfehler.
void operatingError(QWidget* parent, const ProgramState& state, const TextKey& key,
                    const QStringList& args = {});
// Critical box titled titeleingabefehler.
void entryError(QWidget* parent, const ProgramState& state, const TextKey& key,
                const QStringList& args = {});
// Information box titled titelinformation.
void information(QWidget* parent, const ProgramState& state, const TextKey& key,
                 const QStringList& args = {});
// Yes/No question titled titelsicherheitsabfrage, No as default. True on Yes.
bool confirm(QWidget* parent, const ProgramState& state, const TextKey& key,
             const QStringList& args = {});

// Operating error in the form: text, blank line, error number, blank line,
// detail and ".".
void failure(QWidget* parent, const ProgramState& state, const TextKey& key,
             const OperationError& error, const QStringList& args = {});

// A file that is not what the program expects (a folder, an Access file, no
// database, a missing table or column, an unknown collation, a file for a
// folder) as an operating error of its own naming the file. False for any
// other failure, which the caller reports in its own words.
bool fileProblem(QWidget* parent, const ProgramState& state, const OperationError& error);

// While one lives, a message (not a question) whose text was already shown
// during the previous guard of the same name is left out: a redraw that runs
// again and again by itself (on every activation of a window) reports a
// failure once, not at every run. A run without a failure forgets what was
// shown, so the next failure is shown again.
class RepeatGuard {
public:
    explicit RepeatGuard(const QString& name);
    ~RepeatGuard();
    RepeatGuard(const RepeatGuard&) = delete;
    RepeatGuard& operator=(const RepeatGuard&) = delete;

private:
    QString m_name;
    RepeatGuard* m_outer;
};

} // namespace Messages
