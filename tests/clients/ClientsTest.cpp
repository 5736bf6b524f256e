// Every export against the client it is made for: the XSL-FO document in an
// FO formatter (Apache FOP), the PDF document in a PDF reader (poppler).
#include "support/DesignerSingletons.h"
#include "support/NamedControl.h"

#include "app/Main.h"
#include "controls/Bitmap.h"
#include "controls/LXDesigned.h"
#include "controls/LXImage.h"
#include "controls/LXStringGrid.h"
#include "controls/Strings.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSObjectInspector.h"
#include "platform/CodePage.h"
#include "reflection/TypInfo.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

struct ProcessRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to its end; a program that cannot start or crashes gives
// exit code -1.
ProcessRun
RunProgram(const QString &program, const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessRun run;
    if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit) {
        run.err = process.errorString() + QString::fromUtf8(process.readAllStandardError());
        process.kill();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The text of a PDF document with every run of white space made one space.
QString PdfText(const QString &pdf)
{
    const ProcessRun text = RunProgram("pdftotext", {pdf, "-"});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    return text.out.simplified();
}

// A layout holding every kind: nested panels, a group box, checked and
// unchecked check boxes and radio buttons, a list box with items, a grid
// and an image with a picture, saved as a native layout file.
class ClientsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        container = std::make_unique<TLXControlsContainer>(nullptr, &inspector);
        QWidget *outer = AddNamedControl("Panel", container.get(), "Panel1", {360, 20, 300, 260});
        QWidget *inner = AddNamedControl("Panel", outer, "Panel2", {10, 10, 280, 120});
        AddNamedControl("Button", inner, "InnerButton", {10, 10, 100, 25}, "Inner OK");
        QWidget *group =
            AddNamedControl("GroupBox", outer, "Group1", {10, 140, 280, 110}, "Choices");
        Check(AddNamedControl("CheckBox", group, "CheckOn", {10, 20, 150, 17}, "Send copies"),
              true);
        Check(AddNamedControl("RadioButton", group, "RadioOff", {10, 50, 150, 17}, "By post"),
              false);
        AddNamedControl("Button", container.get(), "Button1", {10, 300, 90, 25}, "Submit");
        AddNamedControl("Label", container.get(), "Label1", {10, 340, 120, 17}, "Customer name");
        TypInfo::SetStrProp(
            AsDesigned(AddNamedControl("EditBox", container.get(), "Edit1", {10, 370, 150, 21})),
            "Text", "Jane Roe");
        SetLines(AddNamedControl("Memo", container.get(), "Memo1", {10, 400, 200, 60}), "Lines",
                 {"First line", "Second line"});
        SetLines(AddNamedControl("ListBox", container.get(), "List1", {10, 470, 150, 80}), "Items",
                 {"Apples", "Pears", "Plums"});
        QWidget *combo = AddNamedControl("ComboBox", container.get(), "Combo1", {10, 560, 150, 21});
        SetLines(combo, "Items", {"Small", "Medium"});
        TypInfo::SetStrProp(AsDesigned(combo), "Text", "Small");
        Check(AddNamedControl("CheckBox", container.get(), "CheckOff", {10, 590, 150, 17},
                              "Gift wrap"),
              false);
        Check(AddNamedControl("RadioButton", container.get(), "RadioOn", {10, 615, 150, 17},
                              "Express"),
              true);
        auto *grid = static_cast<TLXStringGrid *>(
            AddNamedControl("StringGrid", container.get(), "Grid1", {360, 300, 300, 120}));
        grid->SetCell(1, 1, "Cell text");
        auto *image = static_cast<TLXImage *>(
            AddNamedControl("Image", container.get(), "Image1", {360, 440, 64, 64}));
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "BMP");
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromBytes(bytes);
        image->Picture().SetGraphic(std::move(bitmap));

        layout = dir.filePath("allkinds.xml");
        container->SaveLayout(layout);
    }

    static void Check(QWidget *c, bool checked)
    {
        TypInfo::SetOrdProp(AsDesigned(c), "Checked", checked ? 1 : 0);
    }
    static void SetLines(QWidget *c, const char *property, std::vector<std::string> lines)
    {
        static_cast<TStrings *>(TypInfo::GetObjectProp(AsDesigned(c), property))->SetStrings(lines);
    }
    ProcessRun
    Export(const QString &format, const QString &output,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        return RunProgram(FD_EXPORT_TOOL, {format, layout, output}, environment);
    }

    QTemporaryDir dir;
    TRSObjectInspector inspector;
    std::unique_ptr<TLXControlsContainer> container;
    QString layout;
};

// Every character of the code page above ASCII, in words of eight; left
// out are its unused byte and the two that print nothing (the no-break
// space and the soft hyphen).
QStringList CodePageWords()
{
    std::string text;
    for (int c = 0x80, inWord = 0; c <= 0xFF; ++c) {
        if (c == 0x98 || c == 0xA0 || c == 0xAD)
            continue;
        text += char(c);
        if (++inWord % 8 == 0)
            text += ' ';
    }
    return CodePage::ToQString(text).split(' ', Qt::SkipEmptyParts);
}

// The formatter runs with the configuration installed with the program,
// which gives the document's font families fonts for the whole code page.
TEST_F(ClientsTest, FoExportRendersInTheFormatterWithEveryText)
{
    const QStringList words = CodePageWords();
    QWidget *letters = AddNamedControl("Label", container.get(), "Letters", {},
                                       CodePage::FromQString(words.join(' ')).c_str());
    // Placed after the caption sized it, so that its lines fit the page.
    letters->setGeometry(10, 640, 440, 60);
    container->SaveLayout(layout);
    const QString fo = dir.filePath("allkinds.fo");
    const QString pdf = dir.filePath("allkinds.pdf");
    const ProcessRun exported = Export("fo", fo);
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    const ProcessRun fop = RunProgram("fop", {"-c", FD_FOP_CONFIG, "-r", "-fo", fo, "-pdf", pdf});
    // The formatter's own warnings stay in the test's output for reading.
    std::printf("%s", qPrintable(fop.err));
    ASSERT_EQ(fop.exitCode, 0) << fop.err.toStdString();
    EXPECT_FALSE(fop.err.contains("not available in font")) << "a glyph fell back";

    const QString text = PdfText(pdf);
    for (const char *expected :
         {"Inner OK", "Send copies", "By post", "Submit", "Customer name", "Jane Roe", "First line",
          "Second line", "Apples", "Pears", "Plums", "Small", "Gift wrap", "Express", "Image1"})
        EXPECT_TRUE(text.contains(expected)) << expected << " in: " << text.toStdString();
    // The formatter may break a line inside a run of signs.
    const QString joined = QString(text).remove(' ');
    for (const QString &word : words)
        EXPECT_TRUE(joined.contains(word)) << word.toStdString() << " in: " << text.toStdString();
    // The box glyphs of the two-state buttons, checked and unchecked.
    for (const QChar glyph : {QChar(0x25A0), QChar(0x274F), QChar(0x25CF), QChar(0x274D)})
        EXPECT_TRUE(text.contains(glyph)) << "glyph U+" << std::hex << int(glyph.unicode());

    // The document of an empty layout renders as well.
    TLXControlsContainer empty(nullptr, &inspector);
    empty.SaveLayout(layout);
    ASSERT_EQ(Export("fo", fo).exitCode, 0);
    const ProcessRun blank = RunProgram("fop", {"-c", FD_FOP_CONFIG, "-r", "-fo", fo, "-pdf", pdf});
    EXPECT_EQ(blank.exitCode, 0) << blank.err.toStdString();
}

TEST_F(ClientsTest, PdfExportShowsTheFormOnOneLetterPage)
{
    // The export's temporary files go to a folder of the test's own, which
    // must be empty again afterwards.
    const QString temporary = dir.filePath("tmp");
    QDir().mkpath(temporary);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temporary);
    // Else the toolkit makes its runtime folder in the temporary folder.
    const QString runtime = dir.filePath("runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment.insert("XDG_RUNTIME_DIR", runtime);
    const QString pdf = dir.filePath("out/allkinds.pdf");
    QDir().mkpath(dir.filePath("out"));
    const ProcessRun exported = Export("pdf", pdf, environment);
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"allkinds.pdf"});
    EXPECT_EQ(QDir(temporary).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList{});

    const ProcessRun info = RunProgram("pdfinfo", {pdf});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains("(letter)")) << info.out.toStdString();
    const QString text = PdfText(pdf);
    for (const char *expected :
         {"Inner OK", "Send copies", "By post", "Submit", "Customer name", "Jane Roe", "First line",
          "Second line", "Apples", "Pears", "Plums", "Small", "Gift wrap", "Express", "Cell text"})
        EXPECT_TRUE(text.contains(expected)) << expected << " in: " << text.toStdString();
    // The picture of the image control is in the document.
    const ProcessRun images = RunProgram("pdfimages", {"-list", pdf});
    EXPECT_GE(images.out.count('\n'), 3) << images.out.toStdString();
}

TEST_F(ClientsTest, PdfExportFailsClearly)
{
    // Unreadable layout: a missing file.
    const ProcessRun unreadable =
        RunProgram(FD_EXPORT_TOOL, {"pdf", dir.filePath("missing.xml"), dir.filePath("a.pdf")});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_TRUE(unreadable.err.contains("Cannot open file")) << unreadable.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("a.pdf")));

    // Unwritable output: its folder is a file.
    const ProcessRun unwritable = Export("pdf", layout + "/out.pdf");
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains("Cannot create file")) << unwritable.err.toStdString();

    // A folder in the output's place is not replaced.
    QDir().mkpath(dir.filePath("taken.pdf/inside"));
    const ProcessRun taken = Export("pdf", dir.filePath("taken.pdf"));
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(QDir(dir.filePath("taken.pdf/inside")).exists());

    // Nor is a named pipe, which is refused before the page is rendered.
    const QString pipe = dir.filePath("pipe.pdf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const ProcessRun special = Export("pdf", pipe);
    EXPECT_EQ(special.exitCode, 1);
    EXPECT_TRUE(special.err.contains("named pipe")) << special.err.toStdString();
    EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
}

TEST_F(ClientsTest, SaveAsPdfFromTheMainWindow)
{
    TForm1 form;
    const QString pdf = dir.filePath("saved.pdf");
    form.SaveDialog = [&pdf](QString &fileName, TForm1::TSaveType &fileType) {
        fileName = pdf;
        fileType = TForm1::SavePdf;
        return true;
    };
    form.Container()->LoadLayout(layout);
    form.SetModified(true);
    EXPECT_FALSE(form.mnuSaveAsClick()) << "a PDF document is not a save of the design";
    // Like the web page, the PDF document is an export: the layout's own
    // state is unchanged.
    EXPECT_TRUE(form.FileName().isEmpty());
    EXPECT_TRUE(form.Modified());
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains("Customer name")) << text.toStdString();
    EXPECT_TRUE(text.contains("Inner OK")) << text.toStdString();
}

} // namespace
