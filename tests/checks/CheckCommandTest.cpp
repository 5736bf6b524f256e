// "formdesigner-export check": its exit codes, its lines and its JSON, as a
// build that runs it reads them.
#include "support/FileBytes.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct TRun {
    int Code = -1;
    QString Out;
    QString Err;
};

TRun Check(const QStringList &arguments, const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QCoreApplication::applicationDirPath() + "/../formdesigner-export",
                  QStringList{"check"} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

const char *const Faulty = R"(<?xml version="1.0" encoding="windows-1251"?>
<root>
	<control type="Panel">
		<property name="Name" value="Panel1"/>
		<property name="Width" value="200"/>
		<property name="Height" value="100"/>
		<control type="Button">
			<property name="Name" value="Button3"/>
			<property name="Caption" value="Continue to the next page"/>
			<property name="Left" value="8"/>
			<property name="Top" value="8"/>
			<property name="Width" value="50"/>
		</control>
		<control type="Button">
			<property name="Name" value="Button4"/>
			<property name="Caption" value=""/>
			<property name="Left" value="100"/>
			<property name="Top" value="40"/>
		</control>
	</control>
</root>)";

class CheckCommandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Put(dir.filePath("faulty.xml"), Faulty);
        Put(dir.filePath("clean.xml"),
            "<root><control type=\"Button\"><property name=\"Name\" value=\"Ok\"/>"
            "<property name=\"Caption\" value=\"OK\"/></control></root>");
        Put(dir.filePath("broken.xml"), "<root><control type=\"Button\">");
    }
    QTemporaryDir dir;
};

TEST_F(CheckCommandTest, ExitCodesTellCleanFaultyAndUnreadableLayouts)
{
    const TRun clean = Check({"clean.xml"}, dir.path());
    EXPECT_EQ(clean.Code, 0) << clean.Err.toStdString();
    EXPECT_TRUE(clean.Out.isEmpty()) << clean.Out.toStdString();

    EXPECT_EQ(Check({"faulty.xml"}, dir.path()).Code, 1);
    EXPECT_EQ(Check({"broken.xml"}, dir.path()).Code, 2);
    const TRun missing = Check({"missing.xml"}, dir.path());
    EXPECT_EQ(missing.Code, 2);
    EXPECT_TRUE(missing.Err.contains("missing.xml")) << missing.Err.toStdString();
    EXPECT_EQ(Check({"faulty.xml", "--checks", "overlaps"}, dir.path()).Code, 2);
    EXPECT_EQ(Check({"faulty.xml", "--format", "xml"}, dir.path()).Code, 2);
    EXPECT_EQ(Check({"faulty.xml", "--stress", "much"}, dir.path()).Code, 2);
    // Only the checks named run: the faulty layout has no overlap.
    EXPECT_EQ(Check({"faulty.xml", "--checks=overlap,tab-order"}, dir.path()).Code, 0);
}

TEST_F(CheckCommandTest, LinesNameFileControlCheckAndMessage)
{
    const TRun run = Check({"faulty.xml"}, dir.path());
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << run.Out.toStdString();
    const QRegularExpression clipped(
        "^faulty\\.xml: Panel1/Button3: clipped-text: caption \"Continue to the next page\" "
        "needs (\\d+) px, has 50 px$");
    const auto match = clipped.match(lines[0]);
    ASSERT_TRUE(match.hasMatch()) << lines[0].toStdString();
    EXPECT_GT(match.captured(1).toInt(), 50);
    EXPECT_EQ(lines[1], "faulty.xml: Panel1/Button4: empty: has no caption");

    // A larger text size cuts the clean layout's caption too.
    const TRun stressed = Check({"clean.xml", "--stress", "200"}, dir.path());
    EXPECT_EQ(stressed.Code, 1);
    EXPECT_TRUE(stressed.Out.startsWith("clean.xml: Ok: clipped-text: caption \"\u00d3KO\""))
        << stressed.Out.toStdString();
}

TEST_F(CheckCommandTest, JsonHoldsTheSameProblems)
{
    const TRun run = Check({"faulty.xml", "--format", "json", "--checks", "empty"}, dir.path());
    EXPECT_EQ(run.Code, 1);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.Out.toStdString();
    EXPECT_EQ(document["file"].toString(), "faulty.xml");
    const QJsonArray problems = document["problems"].toArray();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_EQ(problems[0]["check"].toString(), "empty");
    EXPECT_EQ(problems[0]["path"].toString(), "Panel1/Button4");
    EXPECT_EQ(problems[0]["property"].toString(), "Caption");
    EXPECT_EQ(problems[0]["message"].toString(), "has no caption");
}

} // namespace
