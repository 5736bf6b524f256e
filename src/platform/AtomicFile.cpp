#include "platform/AtomicFile.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile
{

namespace
{

std::string Text(const QString &text)
{
    return CodePage::FromQString(text);
}

std::string Reason(int error)
{
    return Text(QString::fromLocal8Bit(std::strerror(error)));
}

QByteArray Bytes(const QString &path)
{
    return QFile::encodeName(path);
}

[[noreturn]] void CannotCreate(const QString &fileName, const std::string &reason)
{
    throw Exception("Cannot create file \"" + Text(fileName) + "\". " + reason);
}

[[noreturn]] void CannotWrite(const QString &fileName, int error)
{
    throw Exception("Cannot write file \"" + Text(fileName) + "\". " + Reason(error));
}

// What a target that is not a regular file is, for the message refusing it.
std::string KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "Is a directory";
    if (S_ISFIFO(mode))
        return "It is a named pipe, not a regular file";
    if (S_ISSOCK(mode))
        return "It is a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "It is a device, not a regular file";
    return "It is not a regular file";
}

// The file a name stands for: symbolic links are followed, even to a file
// that does not exist yet, so that writing replaces the file and keeps the link.
QString Resolve(const QString &fileName)
{
    QString path = QFileInfo(fileName).absoluteFilePath();
    for (int depth = 0; QFileInfo(path).isSymLink(); ++depth) {
        if (depth == 40)
            CannotCreate(fileName, Reason(ELOOP));
        const QString target = QFile::symLinkTarget(path);
        if (target.isEmpty())
            break;
        path = target;
    }
    return path;
}

// The mode a new file gets from the umask. The kernel tells the umask
// without changing it: setting it to read it back would, for a moment, give
// files that other threads create at that time the wrong mode.
mode_t NewFileMode()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return 0666 & ~mode_t(mask);
        }
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Checks the resolved target; returns the mode the new file takes.
mode_t CheckResolved(const QString &fileName, const QString &path, TAccess access)
{
    struct stat info;
    if (stat(Bytes(path).constData(), &info) != 0) {
        if (errno != ENOENT)
            CannotCreate(fileName, Reason(errno));
        return access == Private ? 0600 : NewFileMode();
    }
    if (!S_ISREG(info.st_mode))
        CannotCreate(fileName, KindOf(info.st_mode));
    return access == Private ? 0600 : info.st_mode & 07777;
}

// The temporary file: written without a buffer of its own, so that every
// failed write reaches the writer and the check after it, with errno's reason.
class TFileDevice : public QIODevice
{
public:
    explicit TFileDevice(int fd) : FFd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

    // The error of the first write that failed, or 0.
    int Error() const { return FError; }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (FError)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = ::write(FFd, data + done, size_t(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                FError = n < 0 ? errno : ENOSPC;
                setErrorString(QString::fromLocal8Bit(std::strerror(FError)));
                return -1;
            }
            done += n;
        }
        return done;
    }

private:
    int FFd;
    int FError = 0;
};

// Owns the temporary file until it is renamed into place.
class TTemporary
{
public:
    TTemporary(const QString &fileName, const QString &target, mode_t mode)
        : FName(Bytes(QFileInfo(target).absolutePath() + QStringLiteral("/.") +
                      QFileInfo(target).fileName() + QStringLiteral(".XXXXXX")))
    {
        FFd = mkostemp(FName.data(), O_CLOEXEC);
        if (FFd < 0)
            CannotCreate(fileName, Reason(errno));
        if (fchmod(FFd, mode) != 0) {
            const int error = errno;
            Discard();
            CannotCreate(fileName, Reason(error));
        }
    }
    ~TTemporary() { Discard(); }
    TTemporary(const TTemporary &) = delete;
    TTemporary &operator=(const TTemporary &) = delete;

    int Fd() const { return FFd; }

    // Syncs, closes and renames the file over the target; on failure the
    // temporary file is removed and the reason returned.
    int Commit(const QString &target)
    {
        int error = fsync(FFd) == 0 ? 0 : errno;
        // Some file systems report a failed write only when the file closes.
        if (close(FFd) != 0 && !error)
            error = errno;
        FFd = -1;
        if (!error && rename(FName.constData(), Bytes(target).constData()) != 0)
            error = errno;
        if (error)
            return error;
        FName.clear();
        SyncFolder(target);
        return 0;
    }

private:
    void Discard()
    {
        if (FFd >= 0)
            close(FFd);
        FFd = -1;
        if (!FName.isEmpty())
            unlink(FName.constData());
        FName.clear();
    }

    // The rename itself reaches the disk with the folder's entries.
    static void SyncFolder(const QString &target)
    {
        const int fd =
            open(Bytes(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            fsync(fd);
            close(fd);
        }
    }

    QByteArray FName;
    int FFd = -1;
};

} // namespace

void WriteAll(QIODevice &device, const std::string &bytes)
{
    if (device.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        throw Exception("Error writing stream: " + Text(device.errorString()));
}

void CheckTarget(const QString &fileName)
{
    CheckResolved(fileName, Resolve(fileName), Shared);
}

void Write(const QString &fileName, const std::function<void(QIODevice &)> &write, TAccess access)
{
    const QString target = Resolve(fileName);
    TTemporary temporary(fileName, target, CheckResolved(fileName, target, access));
    TFileDevice device(temporary.Fd());
    try {
        write(device);
    } catch (...) {
        // A writer that ran out of room says so in the system's words.
        if (device.Error())
            CannotWrite(fileName, device.Error());
        throw;
    }
    // A writer that ignored a failed write must not put a cut file in place.
    if (device.Error())
        CannotWrite(fileName, device.Error());
    if (const int error = temporary.Commit(target))
        CannotWrite(fileName, error);
}

void Write(const QString &fileName, const std::string &bytes, TAccess access)
{
    Write(
        fileName, [&bytes](QIODevice &device) { WriteAll(device, bytes); }, access);
}

void MakeFolder(const QString &path, TAccess access)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const mode_t mode = access == Private ? 0700 : 0777;
    int from = 1;
    while (from <= absolute.size()) {
        int end = absolute.indexOf(QLatin1Char('/'), from);
        if (end < 0)
            end = int(absolute.size());
        const QByteArray part = Bytes(absolute.left(end));
        from = end + 1;
        if (mkdir(part.constData(), mode) == 0 || errno == EEXIST) {
            struct stat info;
            if (stat(part.constData(), &info) == 0 && S_ISDIR(info.st_mode))
                continue;
            errno = ENOTDIR;
        }
        throw Exception("Cannot create folder \"" + Text(path) + "\". " + Reason(errno));
    }
    // A folder an older version made for everyone to read is kept private too.
    if (access == Private)
        chmod(Bytes(absolute).constData(), 0700);
}

} // namespace AtomicFile
