#include "platform/AtomicFile.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QFileInfo>
#include <QSaveFile>

namespace AtomicFile
{

namespace
{

std::string Text(const QString &text)
{
    return CodePage::FromQString(text);
}

[[noreturn]] void WriteFailed(const QIODevice &device)
{
    throw Exception("Error writing stream: " + Text(device.errorString()));
}

} // namespace

void WriteAll(QIODevice &device, const std::string &bytes)
{
    if (device.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        WriteFailed(device);
}

void Write(const QString &fileName, const std::function<void(QIODevice &)> &write)
{
    QSaveFile file(fileName);
    // A folder of that name cannot be replaced by a file.
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::WriteOnly))
        throw Exception("Cannot create file \"" + Text(fileName) + "\". " +
                        Text(QFileInfo(fileName).isDir() ? QStringLiteral("Is a directory")
                                                         : file.errorString()));
    // The destructor of an uncommitted file removes the temporary file, so
    // an error of the writer leaves the target untouched.
    write(file);
    if (!file.commit())
        WriteFailed(file);
}

void Write(const QString &fileName, const std::string &bytes)
{
    Write(fileName, [&bytes](QIODevice &device) { WriteAll(device, bytes); });
}

} // namespace AtomicFile
