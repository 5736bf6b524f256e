#pragma once

#include <QString>
#include <QStringList>

// The command line of the programs, read before the toolkit starts so that
// "--help", "--version" and mistakes are answered without a display. Words
// beginning with "-" are options: "--help" (or "-h"), "--version" and those
// the program names; "--" ends them, and every other word is an operand.
class TCommandLine
{
public:
    // The exit codes of both programs.
    enum TExitCode { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

    TCommandLine(const QString &program, int argc, const char *const *argv,
                 const QStringList &options = {});

    // Answers "--help" with the help on stdout, "--version" with the
    // program's name and version, an unknown option with a message on
    // stderr, and gives the exit code; -1 when the program goes on.
    int Answer(const QString &help) const;
    // Tells a mistake in the command line and gives ExitUsage.
    int Refuse(const QString &message) const;
    // Writes "program: message" on stderr.
    void Tell(const QString &message) const;

    const QStringList &Options() const { return FOptions; }
    const QStringList &Operands() const { return FOperands; }

private:
    QString FProgram;
    QStringList FOptions;
    QStringList FOperands;
    bool FHelp = false;
    bool FVersion = false;
    QString FUnknown;
};
