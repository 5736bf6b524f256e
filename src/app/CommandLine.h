#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The command line of the programs, read before the toolkit starts so that
// "--help", "--version" and mistakes are answered without a display. Words
// beginning with "-" are options: "--help" (or "-h"), "--version" and those
// the program names; "--" ends them, and every other word is an operand.
// An option that takes a value has it as the next word or after "=".
class TCommandLine
{
public:
    // The exit codes of both programs.
    enum TExitCode { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

    TCommandLine(const QString &program, int argc, const char *const *argv,
                 const QStringList &options = {}, const QStringList &valueOptions = {});

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
    // The value given to an option that takes one, or a null string.
    QString Value(const QString &option) const { return FValues.value(option); }
    bool HasValues() const { return !FValues.isEmpty(); }

private:
    QString FProgram;
    QStringList FOptions;
    QStringList FOperands;
    QHash<QString, QString> FValues;
    bool FHelp = false;
    bool FVersion = false;
    QString FUnknown;
    QString FMissingValue;
};
