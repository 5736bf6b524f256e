#include "support/DesignerSingletons.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"

#include "app/Main.h"
#include "designer/LXControlsContainer.h"
#include "platform/Exception.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

struct TRun {
    int Code = -1;
    QString Error;
};

// Runs the command-line exporter; limit > 0 caps the size of the files it
// may write, as a full disk would.
TRun Export(const QString &kind, const QString &layout, const QString &output, rlim_t limit = 0)
{
    QProcess exporter;
    if (limit)
        exporter.setChildProcessModifier([limit] { TFileSizeLimit::Apply(limit); });
    exporter.start(QCoreApplication::applicationDirPath() + "/../formdesigner-export",
                   {kind, layout, output});
    if (!exporter.waitForFinished(120000))
        return {};
    return {exporter.exitStatus() == QProcess::NormalExit ? exporter.exitCode() : -1,
            QString::fromLocal8Bit(exporter.readAllStandardError())};
}

class WriteSafetyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkdir("in");
        Put(Layout(), "<root><control type=\"Button\"><property name=\"Caption\" value=\"OK\"/>"
                      "</control></root>");
    }

    QString Path(const QString &name) const { return dir.filePath(name); }
    // The layout the exports read, in a folder of its own.
    QString Layout() const { return dir.filePath("in/button.xml"); }

    QTemporaryDir dir;
};

TEST_F(WriteSafetyTest, ExportsRefuseWhatIsNotTheirsAndLeaveItAsItWas)
{
    const QString pipe = Path("pipe.htm");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    for (const QString kind : {"xml", "fo", "html"}) {
        const TRun run = Export(kind, Layout(), pipe);
        EXPECT_EQ(run.Code, 1) << kind.toStdString();
        EXPECT_TRUE(run.Error.contains("not a regular file")) << run.Error.toStdString();
        EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }

    // A user's file of the page's name, with or without pictures beside it.
    const QString notes = Path("notes.txt");
    Put(notes, "my notes");
    for (bool images : {false, true}) {
        if (images)
            QDir(dir.path()).mkdir("images");
        const TRun run = Export("html", Layout(), notes);
        EXPECT_EQ(run.Code, 1);
        EXPECT_TRUE(run.Error.contains("Cannot export the page to")) << run.Error.toStdString();
        EXPECT_EQ(Bytes(notes), "my notes");
    }
    // A folder of the user's own.
    const QString mine = Path("mine.htm");
    QDir(dir.path()).mkdir("mine.htm");
    Put(mine + "/letter.txt", "keep");
    EXPECT_EQ(Export("html", Layout(), mine).Code, 1);
    EXPECT_EQ(QDir(mine).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"letter.txt"});
    // A name without a suffix is the page's with ".htm", and is checked as
    // that: the user's "mine.htm" is refused, the user's "notes" is not the
    // page's name.
    EXPECT_EQ(Export("html", Layout(), Path("mine")).Code, 1);
    EXPECT_EQ(QDir(mine).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"letter.txt"});
    Put(Path("notes"), "more notes");
    ASSERT_EQ(Export("html", Layout(), Path("notes")).Code, 0);
    EXPECT_EQ(Bytes(Path("notes")), "more notes");
    EXPECT_TRUE(Bytes(Path("notes.htm/notes.htm")).contains("value=\"OK\""));

    // A new name, then the folder that export made, then the page inside it
    // beside its pictures: all three are the page's own.
    const QString page = Path("page.htm");
    ASSERT_EQ(Export("html", Layout(), page).Code, 0);
    const QByteArray written = Bytes(page + "/page.htm");
    EXPECT_TRUE(written.contains("value=\"OK\""));
    ASSERT_EQ(Export("html", Layout(), page).Code, 0);
    EXPECT_EQ(Bytes(page + "/page.htm"), written);
    ASSERT_EQ(Export("html", Layout(), page + "/page.htm").Code, 0);
    EXPECT_EQ(Bytes(page + "/page.htm"), written);
}

TEST_F(WriteSafetyTest, AFullDiskFailsEveryExportAndKeepsTheFilesBefore)
{
    const QString layout = Path("old.xml");
    const QString fo = Path("old.fo");
    const QString page = Path("page.htm");
    Put(layout, QByteArray(50000, 'x'));
    Put(fo, QByteArray(20000, 'f'));
    ASSERT_EQ(Export("html", Layout(), page).Code, 0);
    const QByteArray pageBytes = Bytes(page + "/page.htm");
    for (const auto &[kind, target, before] :
         {std::tuple{QString("xml"), layout, Bytes(layout)},
          std::tuple{QString("fo"), fo, Bytes(fo)},
          std::tuple{QString("html"), page + "/page.htm", pageBytes}}) {
        const TRun run = Export(kind, Layout(), kind == "html" ? page : target, 100);
        EXPECT_EQ(run.Code, 1) << kind.toStdString();
        EXPECT_TRUE(run.Error.contains("File too large")) << run.Error.toStdString();
        EXPECT_EQ(Bytes(target), before) << kind.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{"in", "old.fo", "old.xml", "page.htm"}));
}

TEST_F(WriteSafetyTest, TheWindowsSavesReportAFullDiskAndKeepTheFilesBefore)
{
    EnsureDesignerSingletons();
    TForm1 form;
    form.AddControl(1, 0, nullptr, 0);
    QString chosen;
    TForm1::TSaveType chosenType = TForm1::SaveLayoutFile;
    form.SaveDialog = [&](QString &fileName, TForm1::TSaveType &fileType) {
        fileName = chosen;
        fileType = chosenType;
        return true;
    };
    const QString layout = Path("form.xml");
    Put(layout, QByteArray(50000, 'x'));
    const QString page = Path("page.htm");
    chosen = page;
    chosenType = TForm1::SavePage;
    ASSERT_FALSE(form.mnuSaveAsClick());
    const QByteArray pageBytes = Bytes(page + "/page.htm");
    ASSERT_FALSE(pageBytes.isEmpty());

    for (const auto &[name, type, target, before] :
         {std::tuple{layout, TForm1::SaveLayoutFile, layout, Bytes(layout)},
          std::tuple{page, TForm1::SavePage, page + "/page.htm", pageBytes}}) {
        chosen = name;
        chosenType = type;
        std::string error;
        {
            const TFileSizeLimit limit(100);
            try {
                form.mnuSaveAsClick();
            } catch (const Exception &e) {
                error = e.what();
            }
        }
        EXPECT_NE(error.find("File too large"), std::string::npos) << error;
        EXPECT_EQ(Bytes(target), before);
    }
    EXPECT_TRUE(form.Modified()) << "a save that failed leaves the design unsaved";

    // A page typed over a file of the user's is refused, and the file kept.
    const QString notes = Path("notes.txt");
    Put(notes, "my notes");
    chosen = notes;
    chosenType = TForm1::SavePage;
    std::string error;
    try {
        form.mnuSaveAsClick();
    } catch (const Exception &e) {
        error = e.what();
    }
    EXPECT_NE(error.find("Cannot export the page to"), std::string::npos) << error;
    EXPECT_EQ(Bytes(notes), "my notes");
}

} // namespace
