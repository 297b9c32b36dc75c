#pragma once

#include "OperationError.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <functional>

class QFile;

// How the program touches files, so that the user's data stays safe:
// - a file is written, replaced or deleted only when it is a regular file
//   reached without leaving the program folder; a symbolic link or a special
//   file (FIFO, device, socket) where a file is expected is left alone;
// - a file is read only when it is a regular file, and opening it never
//   blocks (a FIFO) or starts a device;
// - a new file is created exclusively and appears whole or not at all, so an
//   existing name is never replaced, and clean-up removes only what the call
//   itself created.
// Whatever is left alone is reported as ErrorKind::Refused with where = the
// entry that was left alone.
namespace FileGuard {

// What is at path itself; a link is reported as a link, not followed.
// Unreachable: a folder on the way may not be searched.
enum class Entry { Missing, File, Folder, Link, Special, Unreachable };
Entry entryAt(const QString& path);

// Whether path itself may be written, replaced or deleted: missing or a
// regular file. For files whose folder was checked already or is the program
// folder itself.
OperationError checkTarget(const QString& path);

// Whether the file at path may be written, replaced or deleted: path lies in
// programFolder; every folder below programFolder on the way is a folder or a
// link that stays inside programFolder; path itself passes checkTarget.
OperationError checkFile(const QString& programFolder, const QString& path);

// The same for a folder that files are written into or deleted from; the
// folder itself must be missing or a real folder, never a link (emptying it
// would reach whatever the link points to).
OperationError checkFolder(const QString& programFolder, const QString& folder);

// checkFolder, then creates the folder and its missing parents.
OperationError makeFolder(const QString& programFolder, const QString& folder);

// Opens path for reading when it is a regular file; a link to one is read
// through (reading changes nothing). Anything else is refused without being
// opened. A missing file gives FileNotFound, a forbidden one PermissionDenied.
// The file is opened by its handle, so file.fileName() is empty afterwards.
OperationError openForReading(QFile& file, const QString& path,
                              QIODevice::OpenMode mode = QIODevice::ReadOnly);

// openForReading for a file of folder (the program folder or the GPS
// folder): a link at path that leads out of folder is not read but refused
// (ErrorKind::Refused, where = path); a link inside it is read through.
OperationError openForReadingIn(QFile& file, const QString& folder, const QString& path,
                                QIODevice::OpenMode mode = QIODevice::ReadOnly);

// Creates or replaces the file at path with bytes: they go into a new file
// beside it (".<name>.sorvan-<random>"), which is then renamed over path (a
// rename replaces a link itself, never what it points to). Refused as
// checkFile refuses.
// Synced: the new content is on disk before the name changes, so even a
// power cut leaves the old or the new file. Cached: for copies the program
// can make again, the system writes them back in its own time.
enum class Durability { Synced, Cached };
OperationError replaceFile(const QString& programFolder, const QString& path,
                           const QByteArray& bytes, Durability durability = Durability::Synced);

// Fills the file at scratchPath (which does not exist yet); where of an error
// may name scratchPath, the caller reports path instead.
using Writer = std::function<OperationError(const QString& scratchPath)>;

// Writes a new file at path: writer fills a scratch file in a folder made for
// this call beside path, and the finished file is then moved to path, which
// fails when anything has taken that name meanwhile. An existing name is
// never replaced or removed; the scratch folder goes again in every case.
OperationError createNew(const QString& programFolder, const QString& path, const Writer& writer);

// Puts a new file at path in place of the regular file there, which keeps
// its content under the new name keptPath: writer fills a scratch file as for
// createNew; then keptPath is made a second name of the old file (a copy
// where the file system cannot link) and the new file is renamed over path.
// Cut short at any point, path holds the old or the new file and keptPath,
// when present, the old one. A keptPath naming the very file at path is taken
// as left by such a run; any other existing keptPath refuses the call.
OperationError supersede(const QString& programFolder, const QString& path, const QString& keptPath,
                         const Writer& writer);

// Removes the scratch files that replaceFile leaves in folder when cut short.
void removeStaleScratch(const QString& programFolder, const QString& folder);

// Removes the scratch folders that createNew and supersede leave in folder
// when cut short (".new-*"), where they hold nothing but files named in
// names (compared ignoring case): the program's own unfinished copies.
void removeScratch(const QString& programFolder, const QString& folder, const QStringList& names);

// Copies the regular file source to a new file at target (as createNew).
OperationError copyNew(const QString& programFolder, const QString& source, const QString& target);

// Makes target a new name of the regular file source (a hard link), created
// as createNew creates, never replacing an existing name. Only a regular file
// is linked, never a symbolic link or what it points to: the file examined is
// the one linked, through its open handle. Both names then reach the same
// content, so a file reached by such a name must never be written in place.
// Fails where the file system cannot link (another file system, no support);
// callers then copy with copyNew.
OperationError linkNew(const QString& programFolder, const QString& source, const QString& target);

// Deletes the regular file at path (as checkFile allows); a missing file is
// no error.
OperationError removeFile(const QString& programFolder, const QString& path);

// Creates the folder (its parent exists); fails when anything has the name.
OperationError createFolder(const QString& programFolder, const QString& folder);

// Deletes the empty folder at folder (as checkFolder allows, never a link).
OperationError removeFolder(const QString& programFolder, const QString& folder);

// Removes the entry at path itself, a link included, never what a link points
// to; a missing entry is no error. For folders that hold only the program's
// own copies (the staging folder).
OperationError removeEntry(const QString& path);

// Moves the finished file from over to, replacing what is at to (a link
// itself, never what it points to). For files the user names outside the
// program folder (a printed PDF); from is the program's own scratch file.
OperationError moveOver(const QString& from, const QString& to);

// Every step that changes a file or the database passes here first: copy,
// link, rename, delete, open for writing, and the begin and commit of a
// database transaction. Without a hook (the normal run) a step costs one
// test of a pointer. Tests set a hook to count the steps, to end the process
// at one of them or to make one fail: a hook returns 0 to go on or an errno
// value, which the step then reports as its failure.
enum class Step { Copy, Link, Rename, Remove, OpenForWriting, DatabaseBegin, DatabaseCommit };
using StepHook = int (*)(Step step, const QString& path);
void setStepHook(StepHook hook);
namespace detail {
extern StepHook stepHook;
}
inline int step(Step kind, const QString& path)
{
    return detail::stepHook ? detail::stepHook(kind, path) : 0;
}

} // namespace FileGuard
