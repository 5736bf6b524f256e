#include "support/HookGuard.h"

#include "crash/BugReport.h"
#include "crash/CrashReporter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{

// A death test's child runs the test again from its start: it finds the
// folder its parent made through the environment.
QString CrashFolder()
{
    static const char *const Variable = "FD_CRASH_TEST_FOLDER";
    if (!qEnvironmentVariableIsSet(Variable)) {
        QTemporaryDir folder;
        folder.setAutoRemove(false);
        qputenv(Variable, QFile::encodeName(folder.path()));
    }
    return QFile::decodeName(qgetenv(Variable));
}

void PrepareChild()
{
    // No core file for the crashes made on purpose.
    const rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    TCrashReporter::Install(QStringLiteral("9.8.7-test"), CrashFolder());
    TCrashReporter::SetDesignFileName(QStringLiteral("/home/someone/forms/order.xml"));
}

__attribute__((noinline)) void CrashBySegmentationFault()
{
    PrepareChild();
    // A write to a page that allows no access: a real fault, not one a
    // sanitizer would stop before it happens.
    void *page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(page, MAP_FAILED);
    *static_cast<volatile int *>(page) = 1;
}

__attribute__((noinline)) void CrashByAbort()
{
    PrepareChild();
    std::abort();
}

QByteArray ReadReport()
{
    QFile file(QDir(CrashFolder()).filePath(QStringLiteral("CrashReport.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FatalSignalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        QFile::remove(QDir(CrashFolder()).filePath(QStringLiteral("CrashReport.txt")));
    }

    // Checks the report a crash left and that the next start shows it once.
    void ExpectReport(const char *signal, const char *raisingFunction)
    {
        const QByteArray report = ReadReport();
        ASSERT_FALSE(report.isEmpty());
        EXPECT_TRUE(report.startsWith("Form Designer crash report\n")) << report.constData();
        EXPECT_TRUE(report.contains(QByteArray("\nSignal: ") + signal + " ("))
            << report.constData();
        EXPECT_TRUE(report.contains("\nVersion: 9.8.7-test\n")) << report.constData();
        EXPECT_TRUE(report.contains("\nDesign: order.xml\n")) << report.constData();
        EXPECT_FALSE(report.contains("someone")) << report.constData();
        // At least one frame lies in this program's own file.
        const QByteArray program = QFile::encodeName(QFile::symLinkTarget("/proc/self/exe"));
        EXPECT_TRUE(report.contains(" " + program + "+0x")) << report.constData();

        TCrashReporter::Install(QStringLiteral("9.8.7-test"), CrashFolder());
        std::vector<TBugReport> shown;
        const THookGuard dialog(TCrashReporter::ShowReport,
                                [&](const TBugReport &r, QWidget *) { shown.push_back(r); });
        EXPECT_TRUE(TCrashReporter::ShowPendingReport(nullptr));
        EXPECT_FALSE(TCrashReporter::ShowPendingReport(nullptr));
        ASSERT_EQ(shown.size(), 1u);
        const QString text = shown[0].Text();
        EXPECT_TRUE(text.contains(QStringLiteral("closed unexpectedly"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Error: signal ") + signal)) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Version: 9.8.7-test"))) << text.toStdString();
        // The frames are named in the running test program, the same file.
        EXPECT_TRUE(text.contains(QString::fromLatin1(raisingFunction))) << text.toStdString();
    }

    void TearDown() override { QDir(CrashFolder()).removeRecursively(); }
};

TEST_F(FatalSignalTest, SegmentationFaultLeavesAReportAndEndsByTheSignal)
{
    EXPECT_EXIT(CrashBySegmentationFault(), ::testing::KilledBySignal(SIGSEGV), "");
    ExpectReport("SIGSEGV", "CrashBySegmentationFault");
}

TEST_F(FatalSignalTest, AbortLeavesAReportAndEndsByTheSignal)
{
    EXPECT_EXIT(CrashByAbort(), ::testing::KilledBySignal(SIGABRT), "");
    ExpectReport("SIGABRT", "CrashByAbort");
}

// The report names the user's design and where the program was; it is the
// user's alone, also where an older version left its folder or a report
// open to all.
TEST_F(FatalSignalTest, AReportIsTheUsersAlone)
{
    const QByteArray folder = QFile::encodeName(CrashFolder());
    const QByteArray report = folder + "/CrashReport.txt";
    const mode_t mask = umask(022);
    ASSERT_TRUE(QDir().mkpath(CrashFolder()));
    ASSERT_EQ(chmod(folder.constData(), 0755), 0);
    QFile old(QString::fromLocal8Bit(report));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    ASSERT_EQ(chmod(report.constData(), 0644), 0);

    EXPECT_EXIT(CrashByAbort(), ::testing::KilledBySignal(SIGABRT), "");
    umask(mask);
    struct stat status {
    };
    ASSERT_EQ(stat(report.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & ALLPERMS, 0600u);
    ASSERT_EQ(stat(folder.constData(), &status), 0);
    EXPECT_EQ(status.st_mode & ALLPERMS, 0700u);
    ExpectReport("SIGABRT", "CrashByAbort");
}

} // namespace
