// Both programs on the command line: help, version, mistakes, exit codes,
// and where a layout that does not parse is wrong.
#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

// Runs a program of the build without a display: what answers the command
// line opens no window.
TRun RunProgram(const QString &name, const QStringList &arguments, const QString &folder = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(variable);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QCoreApplication::applicationDirPath() + "/../" + name, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(CommandLine, BothProgramsAnswerHelpVersionAndUnknownOptions)
{
    for (const QString program : {"formdesigner", "formdesigner-export"}) {
        const TRun help = RunProgram(program, {"--help"});
        EXPECT_EQ(help.Code, 0) << program.toStdString() << help.Err.toStdString();
        EXPECT_TRUE(help.Out.startsWith("usage: " + program + " ")) << help.Out.toStdString();
        EXPECT_TRUE(help.Out.contains("Exit codes:\n  0  ")) << help.Out.toStdString();
        EXPECT_TRUE(help.Out.contains("\n  2  the command line is wrong\n"));
        EXPECT_TRUE(help.Err.isEmpty()) << help.Err.toStdString();
        EXPECT_EQ(RunProgram(program, {"-h"}).Out.toStdString(), help.Out.toStdString());

        const TRun version = RunProgram(program, {"--version"});
        EXPECT_EQ(version.Code, 0) << version.Err.toStdString();
        EXPECT_EQ(version.Out.toStdString(), (program + " " FD_PROJECT_VERSION "\n").toStdString());

        const TRun unknown = RunProgram(program, {"--frobnicate", "layout.xml"});
        EXPECT_EQ(unknown.Code, 2);
        EXPECT_TRUE(unknown.Out.isEmpty()) << unknown.Out.toStdString();
        EXPECT_EQ(unknown.Err.toStdString(),
                  (program + ": unknown option \"--frobnicate\"\nTry \"" + program +
                   " --help\" for more.\n")
                      .toStdString());
    }
    const QString help = RunProgram("formdesigner-export", {"--help"}).Out;
    for (const char *kind : {"\n  html  ", "\n  fo  ", "\n  pdf  ", "\n  xml  ", "\n  1  "})
        EXPECT_TRUE(help.contains(kind)) << kind;
}

TEST(CommandLine, TheExporterTellsMistakesFromFailures)
{
    QTemporaryDir dir;
    const auto refused = [](const QStringList &arguments, const QString &message) {
        const TRun run = RunProgram("formdesigner-export", arguments);
        EXPECT_EQ(run.Code, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Err.startsWith("formdesigner-export: " + message + "\n"))
            << run.Err.toStdString();
    };
    refused({}, "a layout and an output are needed");
    refused({"layout.xml"}, "a layout and an output are needed");
    refused({"--fo", "layout.xml"}, "a layout and an output are needed");
    refused({"svg", "layout.xml", "out.svg"}, "unknown kind of output \"svg\"");
    refused({"--fo", "--xml", "layout.xml", "out"}, "one kind of output at a time");

    const TRun missing =
        RunProgram("formdesigner-export", {"fo", "missing.xml", "out.fo"}, dir.path());
    EXPECT_EQ(missing.Code, 1);
    EXPECT_TRUE(missing.Err.contains("formdesigner-export: Cannot open file \"missing.xml\""))
        << missing.Err.toStdString();

    // After "--" a file may begin with "-".
    Put(dir.filePath("-in.xml"), "<root><control type=\"Button\"/></root>");
    const TRun dashed =
        RunProgram("formdesigner-export", {"--xml", "--", "-in.xml", "-out.xml"}, dir.path());
    EXPECT_EQ(dashed.Code, 0) << dashed.Err.toStdString();
    EXPECT_TRUE(Bytes(dir.filePath("-out.xml")).contains("Button"));
}

TEST(CommandLine, AParseErrorNamesTheFileLineAndColumn)
{
    QTemporaryDir dir;
    Put(dir.filePath("bad.xml"), "<root>\r\n  <control type=\"Button\">\r\n"
                                 "    <property name=\"Caption\" value=\"A&#66\"/>\r\n"
                                 "  </control>\r\n</root>\r\n");
    const TRun run = RunProgram("formdesigner-export", {"fo", "bad.xml", "out.fo"}, dir.path());
    EXPECT_EQ(run.Code, 1);
    // The toolkit may add notes of its own to stderr: the line is looked for.
    EXPECT_TRUE(run.Err.split('\n').contains("formdesigner-export: bad.xml:3:42: Expecting \";\"."))
        << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("out.fo")));
}

} // namespace
