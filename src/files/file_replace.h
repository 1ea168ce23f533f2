#pragma once
#include <QByteArray>
#include <QString>
#include <functional>

namespace portiqa {

// Writes a file the way the operator expects of a save: the new content is
// written beside the target under a temporary name, flushed to the disk,
// and renamed over the target in one step (the old file stays whole until
// then). A symbolic link is followed and its target replaced; a replaced
// file keeps its permissions, a new one gets 0666 less the umask.
// writer fills the temporary file (given its path) and returns false with
// error set when it cannot. Failures come back as a Russian text.
// A private file (a backup: the module's password and every number) is
// created 0600, and a replaced one keeps its mode only where it is stricter.
// A temporary file of ours left beside the target by an earlier run that was
// killed is removed first; one being written is removed if the program is
// interrupted (see RemoveTemporaryFilesOnSignals).
enum class TFileAccess { Normal, Private };
bool ReplaceFileAtomically(const QString& target, const std::function<bool(const QString& tmpPath, QString& error)>& writer,
                           QString& error, TFileAccess access = TFileAccess::Normal);
// The same, for bytes already in memory.
bool WriteFileAtomically(const QString& target, const QByteArray& bytes, QString& error,
                         TFileAccess access = TFileAccess::Normal);
// Finds out before any work whether the target can be written: its folder
// exists and takes a new file with some data (a read-only folder or a full
// disk shows here), and the target is not a folder. False with the
// operator's message.
bool ProbeWritable(const QString& target, QString& error);
// Why a lock file (QLockFile) could not be made at path, in the operator's
// words: the folder missing or read-only, the disk full.
QString LockProblem(const QString& lockPath);
// On SIGINT, SIGTERM and SIGHUP the temporary file being written is removed
// before the program ends with the signal.
void RemoveTemporaryFilesOnSignals();
// Lets only this user into an existing file: mode 0600, or on Windows a
// protected access list naming the user alone (a volume without access lists,
// such as a FAT stick, has nothing to restrict). False when it cannot be set.
bool MakeFilePrivate(const QString& path);
// Only a regular file is read: a FIFO would hang, a device would never end.
// False with the operator's message otherwise (also when there is no file).
bool IsRegularFile(const QString& path, QString& error);
// A system error number in the operator's words ("на диске нет места", ...).
QString WriteErrorText(int err);

} // namespace portiqa
