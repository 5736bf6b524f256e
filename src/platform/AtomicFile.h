#pragma once

#include <QString>
#include <functional>
#include <string>

class QIODevice;

// Writes a file the user keeps (a layout, a page, a document, a report) so
// that it is either replaced whole or left as it was: the bytes go straight
// to a temporary file in the same folder, unbuffered, each write checked,
// and the file is synced and renamed over the target only when complete.
// A crash, a kill, a full disk or an error of the writer leaves the previous
// file byte for byte. Every program write goes through here.
namespace AtomicFile
{

// Who may read the file: Shared keeps the mode of the file replaced (a new
// file gets the usual mode under the umask); Private gives the owner alone
// (unsaved designs, bug reports).
enum TAccess { Shared, Private };

// Runs write on the temporary file, then puts it in place. Errors of the
// writer propagate after the temporary file is removed. A target that exists
// and is not a regular file (a folder, a device, a pipe, a socket) is
// refused; a symbolic link is followed, so the file it points to is written
// and the link stays. Errors of the file raise "Cannot create file ..." or
// "Cannot write file ...", with the system's reason.
void Write(const QString &fileName, const std::function<void(QIODevice &)> &write,
           TAccess access = Shared);
void Write(const QString &fileName, const std::string &bytes, TAccess access = Shared);

// Raises the error Write would raise for a target that cannot be replaced,
// for commands that check before their slow part.
void CheckTarget(const QString &fileName);

// Creates a folder and its missing parents; Private makes those it creates
// readable by the owner alone. Raises "Cannot create folder ..." on failure.
void MakeFolder(const QString &path, TAccess access = Shared);

// Writes bytes to the device; a short write raises "Error writing stream: ...".
void WriteAll(QIODevice &device, const std::string &bytes);

} // namespace AtomicFile
