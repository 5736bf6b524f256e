#include "app/CommandLine.h"

#include "app/VersInfo.h"

#include <QFile>
#include <cstdio>

TCommandLine::TCommandLine(const QString &program, int argc, const char *const *argv,
                           const QStringList &options, const QStringList &valueOptions)
    : FProgram(program)
{
    bool operandsOnly = false;
    for (int i = 1; i < argc; ++i) {
        const QString word = QFile::decodeName(argv[i]);
        const QString name = word.section(QLatin1Char('='), 0, 0);
        if (operandsOnly || word == QLatin1String("-") || !word.startsWith(QLatin1Char('-')))
            FOperands << word;
        else if (valueOptions.contains(name) && name != word)
            FValues.insert(name, word.section(QLatin1Char('='), 1));
        else if (valueOptions.contains(word) && i + 1 < argc)
            FValues.insert(word, QFile::decodeName(argv[++i]));
        else if (valueOptions.contains(word) && FUnknown.isEmpty())
            FMissingValue = word;
        else if (word == QLatin1String("--"))
            operandsOnly = true;
        else if (word == QLatin1String("--help") || word == QLatin1String("-h"))
            FHelp = true;
        else if (word == QLatin1String("--version"))
            FVersion = true;
        else if (options.contains(word))
            FOptions << word;
        else if (FUnknown.isEmpty())
            FUnknown = word;
    }
}

int TCommandLine::Answer(const QString &help) const
{
    if (FHelp) {
        std::fputs(help.toLocal8Bit().constData(), stdout);
        return ExitSuccess;
    }
    if (FVersion) {
        const QString version = TSMVersionInfo::ProgramFileVersion();
        std::printf("%s %s\n", FProgram.toLocal8Bit().constData(),
                    version.isEmpty() ? "(version unknown)" : version.toLocal8Bit().constData());
        return ExitSuccess;
    }
    if (!FUnknown.isEmpty())
        return Refuse(QStringLiteral("unknown option \"%1\"").arg(FUnknown));
    if (!FMissingValue.isEmpty())
        return Refuse(QStringLiteral("option \"%1\" needs a value").arg(FMissingValue));
    return -1;
}

int TCommandLine::Refuse(const QString &message) const
{
    Tell(QStringLiteral("%1\nTry \"%2 --help\" for more.").arg(message, FProgram));
    return ExitUsage;
}

void TCommandLine::Tell(const QString &message) const
{
    std::fprintf(stderr, "%s: %s\n", FProgram.toLocal8Bit().constData(),
                 message.toLocal8Bit().constData());
}
