#include "platform/SettingsFile.h"

#include "platform/CodePage.h"
#include "platform/Exception.h"

#include <QDataStream>
#include <QFileDevice>
#include <QSettings>
#include <cerrno>
#include <cstring>

namespace SettingsFile
{

namespace
{

constexpr quint32 Signature = 0x46445331; // "FDS1"

// Why the last write of the settings failed.
QString LastError;

bool Read(QIODevice &device, QSettings::SettingsMap &map)
{
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 signature = 0;
    in >> signature;
    if (signature != Signature)
        return false;
    in >> map;
    return in.status() == QDataStream::Ok;
}

// The toolkit writes through a buffer and renames the file even when the
// buffer could not be flushed; flushing here makes that failure count.
bool Write(QIODevice &device, const QSettings::SettingsMap &map)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Signature << map;
    auto *file = qobject_cast<QFileDevice *>(&device);
    errno = 0;
    if (device.write(bytes) != bytes.size() || (file && !file->flush())) {
        // The toolkit's own text for a failed write is often "Unknown error";
        // the system's reason is still at hand.
        const int error = errno;
        LastError = error ? QString::fromLocal8Bit(std::strerror(error)) : device.errorString();
        return false;
    }
    return true;
}

QSettings::Format Format()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("settings"), Read, Write);
    return format;
}

} // namespace

std::unique_ptr<QSettings> Open()
{
    auto settings =
        std::make_unique<QSettings>(Format(), QSettings::UserScope, QStringLiteral("formdesigner"),
                                    QStringLiteral("formdesigner"));
    // Settings of earlier versions, kept in the toolkit's own format, are
    // taken over once.
    if (settings->allKeys().isEmpty()) {
        const QSettings earlier(QSettings::NativeFormat, QSettings::UserScope,
                                QStringLiteral("formdesigner"), QStringLiteral("formdesigner"));
        for (const QString &key : earlier.allKeys())
            settings->setValue(key, earlier.value(key));
    }
    return settings;
}

void Save(QSettings &settings)
{
    LastError.clear();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return;
    throw Exception("Cannot save the settings to \"" + CodePage::FromQString(settings.fileName()) +
                    "\". " +
                    (LastError.isEmpty() ? std::string("The file or its folder cannot be written.")
                                         : CodePage::FromQString(LastError)));
}

} // namespace SettingsFile
