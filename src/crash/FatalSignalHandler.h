#pragma once

#include <QString>

// Catches the signals that end the program at a fault (SIGSEGV, SIGBUS,
// SIGFPE, SIGILL, SIGABRT), writes a crash report file and then lets the
// signal end the process as it would have. The handler calls only
// async-signal-safe functions: everything it writes besides the signal, the
// time and the stack is prepared beforehand.
//
// The report file is text:
//   Form Designer crash report
//   Signal: SIGSEGV (Segmentation fault)
//   Version: <version>
//   Build: <build identity of the program>
//   Time: 2024-05-01 12:00:00 UTC
//   Design: <file name of the open design, or empty>
//   Stack:
//   #0 0x7f12345678 /path/of/module+0x1234   (file offset in the module)
class TFatalSignalHandler
{
public:
    // Catches the signals from now on; a crash writes `reportFile`.
    static void Install(const QString &reportFile, const QString &version);
    // The file name of the open design, for the next report.
    static void SetDesignName(const QString &fileName);

    // The first line of every report.
    static constexpr const char *Heading = "Form Designer crash report";
};
