#pragma once

#include <QString>
#include <functional>
#include <string>

class QIODevice;

// Writes a file the user keeps (a layout, a page, a document) so that it is
// either replaced whole or left as it was: the bytes go to a temporary file
// in the same folder, which is renamed over the target only when complete.
// A crash, a kill, a full disk or an error of the writer leaves the previous
// file byte for byte.
namespace AtomicFile
{

// Runs write on the temporary file, then puts it in place. Errors of the
// writer propagate after the temporary file is removed; errors of the file
// itself raise "Cannot create file ..." or "Error writing stream: ...".
void Write(const QString &fileName, const std::function<void(QIODevice &)> &write);
void Write(const QString &fileName, const std::string &bytes);

// Writes bytes to the device; a short write raises "Error writing stream: ...".
void WriteAll(QIODevice &device, const std::string &bytes);

} // namespace AtomicFile
