#include "crash/FatalSignalHandler.h"

#include "crash/ModuleMap.h"
#include "platform/StackTrace.h"

#include <QFile>
#include <atomic>
#include <boost/stacktrace/safe_dump_to.hpp>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr int FatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Everything the handler uses lives here, filled before any crash.
char ReportPath[4096];
char FixedLines[1024]; // "Version: ...\nBuild: ...\n"
// The design name in two buffers: the one not published is written, then
// published, so the handler never reads a half-written name.
char DesignNames[2][512];
std::atomic<int> DesignCurrent{0};
// Set by the first thread that takes a fatal signal.
std::atomic_flag Handling = ATOMIC_FLAG_INIT;

constexpr std::size_t MaxFrames = TStackTrace::MaxFrames;
const void *Frames[MaxFrames + 1];
std::size_t FrameCount;
// Per frame: the module file and the offset in it, from /proc/self/maps.
char FramePaths[MaxFrames][256];
std::uintptr_t FrameOffsets[MaxFrames];

// Room for the handler on a stack overflow.
alignas(16) char AlternateStack[64 * 1024];

// A line being written, on the handler's stack.
struct TLine {
    char Text[512];
    std::size_t Length = 0;

    TLine &Add(const char *text)
    {
        while (*text && Length < sizeof Text)
            Text[Length++] = *text++;
        return *this;
    }
    TLine &Number(unsigned long long value, unsigned base = 10, int digits = 1)
    {
        char reversed[32];
        int count = 0;
        do {
            reversed[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value && count < 32);
        while (count < digits && count < 32)
            reversed[count++] = '0';
        while (count && Length < sizeof Text)
            Text[Length++] = reversed[--count];
        return *this;
    }
    void WriteTo(int fd) const
    {
        std::size_t done = 0;
        while (done < Length) {
            const ssize_t n = write(fd, Text + done, Length - done);
            if (n <= 0)
                return;
            done += std::size_t(n);
        }
    }
};

void Write(int fd, const char *text)
{
    TLine line;
    for (std::size_t start = 0, size = std::strlen(text); start < size; start += sizeof line.Text) {
        line.Length = 0;
        line.Add(text + start);
        line.WriteTo(fd);
    }
}

const char *SignalText(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV (Segmentation fault)";
    case SIGBUS:
        return "SIGBUS (Bus error)";
    case SIGFPE:
        return "SIGFPE (Floating-point exception)";
    case SIGILL:
        return "SIGILL (Illegal instruction)";
    case SIGABRT:
        return "SIGABRT (Aborted)";
    }
    return "unknown signal";
}

// The time as "YYYY-MM-DD hh:mm:ss UTC", by arithmetic alone.
void AddTime(TLine &line)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long seconds = now.tv_sec;
    long long days = seconds / 86400;
    const long long rest = seconds % 86400;
    // Civil date from days since 1970-01-01.
    days += 719468;
    const long long era = days / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    line.Number(year).Add("-").Number(month, 10, 2).Add("-").Number(day, 10, 2).Add(" ");
    line.Number(rest / 3600, 10, 2).Add(":").Number(rest / 60 % 60, 10, 2).Add(":");
    line.Number(rest % 60, 10, 2).Add(" UTC");
}

bool ParseHex(const char *&p, const char *end, std::uintptr_t &value)
{
    value = 0;
    const char *start = p;
    for (; p < end; ++p) {
        const char c = *p;
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0)
            break;
        value = value * 16 + std::uintptr_t(digit);
    }
    return p > start;
}

// One line of /proc/self/maps: "start-end perms offset dev inode path".
void MatchMapping(const char *p, const char *end)
{
    std::uintptr_t start = 0, stop = 0, offset = 0;
    if (!ParseHex(p, end, start) || p == end || *p++ != '-' || !ParseHex(p, end, stop))
        return;
    for (int field = 0; field < 2; ++field) { // to the offset, past the permissions
        while (p < end && *p != ' ')
            ++p;
        while (p < end && *p == ' ')
            ++p;
    }
    if (!ParseHex(p, end, offset))
        return;
    for (int field = 0; field < 2; ++field) { // past device and inode
        while (p < end && *p == ' ')
            ++p;
        while (p < end && *p != ' ')
            ++p;
    }
    while (p < end && *p == ' ')
        ++p;
    if (p == end || *p != '/')
        return;
    for (std::size_t i = 0; i < FrameCount; ++i) {
        const auto address = std::uintptr_t(Frames[i]);
        if (FramePaths[i][0] || address < start || address >= stop)
            continue;
        FrameOffsets[i] = address - start + offset;
        std::size_t n = 0;
        for (const char *q = p; q < end && n + 1 < sizeof FramePaths[i]; ++q)
            FramePaths[i][n++] = *q;
        FramePaths[i][n] = 0;
    }
}

void FindModules()
{
    for (std::size_t i = 0; i < FrameCount; ++i)
        FramePaths[i][0] = 0;
    const int fd = open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char chunk[4096];
    char line[1024];
    std::size_t length = 0;
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) > 0) {
        for (ssize_t i = 0; i < n; ++i) {
            if (chunk[i] == '\n') {
                MatchMapping(line, line + length);
                length = 0;
            } else if (length < sizeof line) {
                line[length++] = chunk[i];
            }
        }
    }
    close(fd);
}

__attribute__((noinline)) void WriteReport(int signal)
{
    const int fd = open(ReportPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    // A report an older version left keeps its access through O_TRUNC.
    fchmod(fd, 0600);
    TLine line;
    line.Add(TFatalSignalHandler::Heading).Add("\nSignal: ").Add(SignalText(signal)).Add("\n");
    line.WriteTo(fd);
    Write(fd, FixedLines);
    line.Length = 0;
    line.Add("Time: ");
    AddTime(line);
    line.Add("\nDesign: ").Add(DesignNames[DesignCurrent.load()]).Add("\nStack:\n");
    line.WriteTo(fd);

    // Leaves out this function and the handler; the frames end with a null.
    const std::size_t dumped = boost::stacktrace::safe_dump_to(2, Frames, sizeof Frames);
    FrameCount = 0;
    while (FrameCount < dumped && Frames[FrameCount])
        ++FrameCount;
    FindModules();
    for (std::size_t i = 0; i < FrameCount; ++i) {
        line.Length = 0;
        line.Add("#").Number(i).Add(" 0x").Number(std::uintptr_t(Frames[i]), 16).Add(" ");
        if (FramePaths[i][0])
            line.Add(FramePaths[i]).Add("+0x").Number(FrameOffsets[i], 16);
        else
            line.Add("?");
        line.Add("\n");
        line.WriteTo(fd);
    }
    close(fd);
}

void Restore(int signal)
{
    struct sigaction action {
    };
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

__attribute__((noinline)) void OnFatalSignal(int signal, siginfo_t *, void *)
{
    // A second fault, in the handler or in another thread at the same time,
    // ends the process at once.
    if (!Handling.test_and_set())
        WriteReport(signal);
    // Ends the process by the same signal: raised now, it is delivered with
    // its default action as soon as the handler returns (a fault at an
    // instruction would also recur there).
    Restore(signal);
    raise(signal);
}

void CopyTo(char *target, std::size_t size, const QByteArray &text)
{
    const std::size_t n = std::min(size - 1, std::size_t(text.size()));
    std::memcpy(target, text.constData(), n);
    target[n] = 0;
}

} // namespace

void TFatalSignalHandler::Install(const QString &reportFile, const QString &version)
{
    CopyTo(ReportPath, sizeof ReportPath, QFile::encodeName(reportFile));
    CopyTo(FixedLines, sizeof FixedLines,
           "Version: " + version.toUtf8() + "\nBuild: " + TModuleMap::ProgramBuildId() + "\n");
    // The first walk over a stack may load what the unwinder needs, which a
    // signal handler must not do.
    TStackTrace::Capture();

    stack_t stack{};
    stack.ss_sp = AlternateStack;
    stack.ss_size = sizeof AlternateStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {
    };
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : FatalSignals)
        sigaction(signal, &action, nullptr);
}

void TFatalSignalHandler::SetDesignName(const QString &fileName)
{
    // A line break in the name would end its line of the report early.
    QString name = fileName;
    for (QChar &c : name)
        if (c.category() == QChar::Other_Control)
            c = u'?';
    const int next = 1 - DesignCurrent.load();
    CopyTo(DesignNames[next], sizeof DesignNames[next], name.toUtf8());
    DesignCurrent.store(next);
}
