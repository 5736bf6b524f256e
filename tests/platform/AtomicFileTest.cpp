#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include "platform/AtomicFile.h"
#include "platform/Exception.h"
#include "platform/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{

// The message of the error the call raises, or empty when it raises none.
template <typename F> std::string ErrorOf(F call)
{
    try {
        call();
    } catch (const Exception &error) {
        return error.what();
    }
    return {};
}

mode_t ModeOf(const QString &path)
{
    struct stat info;
    return stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class AtomicFileTest : public ::testing::Test
{
protected:
    QString Path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Only the files a test made itself: no temporary file is left behind.
    QStringList Entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir;
};

TEST_F(AtomicFileTest, AFullDiskIsReportedWithItsReasonAndKeepsTheOldFile)
{
    const QString target = Path("layout.xml");
    const QByteArray old(50000, 'o');
    Put(target, old);
    // Small outputs, which a buffer would hold until the end, fail as surely
    // as large ones; so does a writer that ignores a failed write.
    const std::function<void(QIODevice &)> careless = [](QIODevice &device) {
        device.write(std::string(3000, 'c').c_str(), 3000);
    };
    for (const std::string &bytes : {std::string(500, 'n'), std::string(200000, 'n')}) {
        std::string error, carelessError;
        {
            const TFileSizeLimit limit(100);
            error = ErrorOf([&] { AtomicFile::Write(target, bytes); });
            carelessError = ErrorOf([&] { AtomicFile::Write(target, careless); });
        }
        EXPECT_EQ(error, "Cannot write file \"" + target.toStdString() + "\". File too large");
        EXPECT_EQ(carelessError, error);
        EXPECT_EQ(Bytes(target), old);
        EXPECT_EQ(Entries(), QStringList{"layout.xml"});
    }
    // Without the limit the same write goes through.
    AtomicFile::Write(target, std::string(500, 'n'));
    EXPECT_EQ(Bytes(target), QByteArray(500, 'n'));
}

TEST_F(AtomicFileTest, TargetsThatAreNotRegularFilesAreRefusedAndKept)
{
    const QString fifo = Path("pipe");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString socketPath = Path("socket");
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(size_t(socketName.size()), sizeof address.sun_path);
    std::copy(socketName.begin(), socketName.end(), address.sun_path);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    const QString folder = Path("folder");
    QDir().mkdir(folder);

    EXPECT_NE(ErrorOf([&] { AtomicFile::Write(fifo, "x"); }).find("named pipe"), std::string::npos);
    EXPECT_NE(ErrorOf([&] { AtomicFile::CheckTarget(fifo); }).find("named pipe"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { AtomicFile::Write(socketPath, "x"); }).find("socket"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { AtomicFile::Write(folder, "x"); }).find("Is a directory"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { AtomicFile::Write("/dev/null", "x"); }).find("device"),
              std::string::npos);
    close(fd);

    const QFileInfo pipe(fifo);
    EXPECT_FALSE(pipe.isFile());
    EXPECT_TRUE(pipe.exists());
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(Entries().filter(".pipe").isEmpty() && Entries().filter(".folder").isEmpty());
}

TEST_F(AtomicFileTest, ALinkStaysALinkAndTheFileItPointsToIsWritten)
{
    const QString real = Path("real.xml");
    Put(real, "old");
    const QString link = Path("link.xml");
    ASSERT_TRUE(QFile::link(real, link));
    AtomicFile::Write(link, "new");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Bytes(real), "new");

    // A link to a file not there yet makes that file.
    const QString dangling = Path("dangling.xml");
    ASSERT_TRUE(QFile::link(Path("later.xml"), dangling));
    AtomicFile::Write(dangling, "made");
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(Bytes(Path("later.xml")), "made");
}

TEST_F(AtomicFileTest, ModesAreKeptOrMadePrivate)
{
    const QString shared = Path("shared.xml");
    Put(shared, "old");
    ASSERT_TRUE(
        QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    AtomicFile::Write(shared, "new");
    EXPECT_EQ(ModeOf(shared), 0640u);

    // A new file takes the mode the umask leaves.
    const mode_t mask = umask(027);
    AtomicFile::Write(Path("new.xml"), "new");
    umask(mask);
    EXPECT_EQ(ModeOf(Path("new.xml")), 0640u);

    const QString secret = Path("secret.xml");
    Put(secret, "old");
    AtomicFile::Write(secret, "new", AtomicFile::Private);
    EXPECT_EQ(ModeOf(secret), 0600u);

    const QString folder = Path("a/b");
    AtomicFile::MakeFolder(folder, AtomicFile::Private);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(Path("a")), 0700u);
    // An existing folder made open by an earlier version is closed.
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                      QFile::ReadOther | QFile::ExeOther);
    AtomicFile::MakeFolder(folder, AtomicFile::Private);
    EXPECT_EQ(ModeOf(folder), 0700u);

    Put(Path("file"), "x");
    EXPECT_NE(
        ErrorOf([&] { AtomicFile::MakeFolder(Path("file/sub")); }).find("Cannot create folder"),
        std::string::npos);
}

TEST(SettingsFileTest, ValuesComeBackAndAFailedWriteIsReported)
{
    {
        const std::unique_ptr<QSettings> settings = SettingsFile::Open();
        settings->setValue("Geometry", QByteArray(400, 'g'));
        settings->setValue("RecentFiles", QStringList{"a.xml", "b.xml"});
        SettingsFile::Save(*settings);
    }
    const std::unique_ptr<QSettings> settings = SettingsFile::Open();
    EXPECT_EQ(settings->value("RecentFiles").toStringList(), (QStringList{"a.xml", "b.xml"}));
    const QByteArray before = Bytes(settings->fileName());
    ASSERT_FALSE(before.isEmpty());

    settings->setValue("Geometry", QByteArray(4000, 'h'));
    std::string error;
    {
        const TFileSizeLimit limit(100);
        error = ErrorOf([&] { SettingsFile::Save(*settings); });
    }
    EXPECT_NE(error.find("Cannot save the settings"), std::string::npos) << error;
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_EQ(Bytes(settings->fileName()), before);
}

} // namespace
