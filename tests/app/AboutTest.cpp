#include "app/Main.h"
#include "app/VarnoAbout.h"
#include "app/VersInfo.h"
#include "platform/DesktopShell.h"
#include "platform/Exception.h"
#include "support/DesignerSingletons.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace
{

// A minimal ELF file of either class and byte order with a section name
// table and a ".fd_version" section holding block.
QByteArray ElfWithBlock(bool is64, bool big, const QByteArray &block, quint64 blockOffsetShift = 0)
{
    QByteArray image(is64 ? 64 : 52, '\0');
    auto put = [&](qsizetype at, quint64 value, int bytes) {
        if (image.size() < at + bytes)
            image.resize(at + bytes, '\0');
        for (int i = 0; i < bytes; ++i)
            image[at + i] = char(value >> ((big ? bytes - 1 - i : i) * 8));
    };
    image[0] = 0x7f;
    image[1] = 'E';
    image[2] = 'L';
    image[3] = 'F';
    image[4] = is64 ? 2 : 1;
    image[5] = big ? 2 : 1;
    const QByteArray names("\0.shstrtab\0.fd_version\0", 23);
    const quint64 namesAt = image.size();
    image += names;
    const quint64 blockAt = image.size();
    image += block;
    const quint64 tableAt = image.size();
    const int entry = is64 ? 64 : 40;
    put(is64 ? 0x28 : 0x20, tableAt, is64 ? 8 : 4);
    put(is64 ? 0x3a : 0x2e, entry, 2);
    put(is64 ? 0x3c : 0x30, 3, 2);
    put(is64 ? 0x3e : 0x32, 1, 2);
    image.resize(tableAt + 3 * entry, '\0');
    auto section = [&](int index, quint32 name, quint64 offset, quint64 size) {
        const qsizetype at = tableAt + index * entry;
        put(at, name, 4);
        put(at + 4, 1, 4);
        put(at + (is64 ? 0x18 : 0x10), offset, is64 ? 8 : 4);
        put(at + (is64 ? 0x20 : 0x14), size, is64 ? 8 : 4);
    };
    section(1, 1, namesAt, names.size());
    section(2, 11, blockAt + blockOffsetShift, block.size());
    return image;
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

const char BlockText[] = "CompanyName=Makers\0FileVersion=2.5.1\0ProductName=Form Designer\0"
                         "Comments=a=b\0";
const QByteArray Block(BlockText, sizeof(BlockText) - 1);

TEST(VersionInfo, ReadsTheBlockOfEitherElfClassAndByteOrder)
{
    QTemporaryDir dir;
    for (const bool is64 : {true, false})
        for (const bool big : {false, true}) {
            SCOPED_TRACE(testing::Message() << "64-bit " << is64 << ", big-endian " << big);
            const TSMVersionInfo info(WriteFile(dir, "prog", ElfWithBlock(is64, big, Block)));
            EXPECT_EQ(info.BlockSize(), Block.size());
            EXPECT_EQ(info.GetVersionString(1), "Makers");
            EXPECT_EQ(info.GetVersionString(3), "2.5.1");
            EXPECT_EQ(info.GetVersionString(7), "Form Designer");
            // Only the first '=' separates key and value.
            EXPECT_EQ(info.GetVersionString(9), "a=b");
            EXPECT_EQ(info.GetVersionString(2), "");
            EXPECT_EQ(info.GetVersionString(0), "");
            EXPECT_EQ(info.GetVersionString(11), "");
        }
}

TEST(VersionInfo, FilesWithoutTheBlockGiveEmptyTexts)
{
    QTemporaryDir dir;
    const QByteArray elf = ElfWithBlock(true, false, Block);
    QByteArray renamed = elf;
    renamed.replace(".fd_version", ".fd_other__");
    const QStringList files = {
        QApplication::applicationFilePath(), // a real program built without it
        dir.filePath("missing"),
        WriteFile(dir, "text", "ProductName=Form Designer\n"),
        WriteFile(dir, "empty", ""),
        WriteFile(dir, "renamed", renamed),
        // Cut before the section table: nothing can be told about sections.
        WriteFile(dir, "cut", elf.left(elf.size() - 100)),
    };
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        const TSMVersionInfo info(file);
        EXPECT_EQ(info.BlockSize(), 0);
        EXPECT_EQ(info.GetVersionString(7), "");
        EXPECT_EQ(info.GetVersionString(3), "");
    }
}

TEST(VersionInfo, ABlockOutsideTheFileIsAnError)
{
    QTemporaryDir dir;
    const QString file = WriteFile(dir, "damaged", ElfWithBlock(true, false, Block, 1 << 20));
    EXPECT_THROW(TSMVersionInfo info(file), Exception);
}

#ifdef FD_PROGRAM_FILE
TEST(VersionInfo, TheBuiltProgramCarriesProductNameAndVersion)
{
    if (!QFile::exists(FD_PROGRAM_FILE))
        GTEST_SKIP() << "build the program " FD_PROGRAM_FILE " first";
    const TSMVersionInfo info(QStringLiteral(FD_PROGRAM_FILE));
    EXPECT_EQ(info.GetVersionString(7), "Form Designer");
    EXPECT_EQ(info.GetVersionString(3), FD_PROJECT_VERSION);
    EXPECT_EQ(info.GetVersionString(8), FD_PROJECT_VERSION);
    EXPECT_EQ(info.GetVersionString(6), "formdesigner");
}
#endif

class AboutBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DesktopShell::Opener = [this](const QUrl &url) {
            opened.push_back(url);
            return true;
        };
    }
    void TearDown() override { DesktopShell::Opener = saved; }

    std::function<bool(const QUrl &)> saved = DesktopShell::Opener;
    std::vector<QUrl> opened;
    QTemporaryDir dir;
};

TEST_F(AboutBoxTest, ShowsTheVersionBlockAndOpensTheLicence)
{
    const QString program = WriteFile(dir, "prog", ElfWithBlock(true, false, Block));
    const QString licence = WriteFile(dir, "License.txt", "MIT");
    TFormVarnoAbout about(nullptr, program);
    about.LicenseFile = licence;
    about.show();
    EXPECT_EQ(about.windowTitle(), "About...");
    EXPECT_EQ(about.size(), QSize(394, 184));
    EXPECT_EQ(about.ProductNameLabel->text(), "Form Designer");
    EXPECT_EQ(about.FileVersionLabel->text(), "2.5.1");
    EXPECT_FALSE(about.Image->pixmap().isNull());
    EXPECT_TRUE(about.BitBtnOK->isDefault());
    ASSERT_TRUE(about.btnTermsAndConditions->isEnabled());

    about.btnTermsAndConditions->click();
    emit about.MakerLinkLabel->linkActivated(TFormVarnoAbout::MakerLink);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(licence));
    EXPECT_EQ(opened[1], QUrl(TFormVarnoAbout::MakerLink));

    about.BitBtnOK->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(AboutBoxTest, WithoutBlockOrLicenceTextsAreEmptyAndTermsDisabled)
{
    TFormVarnoAbout about(nullptr, dir.filePath("no-program"));
    about.LicenseFile = dir.filePath("License.txt");
    about.show();
    EXPECT_EQ(about.ProductNameLabel->text(), "");
    EXPECT_EQ(about.FileVersionLabel->text(), "");
    EXPECT_FALSE(about.btnTermsAndConditions->isEnabled());
}

TEST_F(AboutBoxTest, HelpAboutOpensTheBoxModallyWithTheProgramsLicence)
{
    EnsureDesignerSingletons();
    TForm1 form;
    QAction *aboutItem = nullptr;
    for (QAction *menu : form.menuBar()->actions())
        if (menu->text() == "Help")
            for (QAction *item : menu->menu()->actions())
                if (item->text() == "About")
                    aboutItem = item;
    ASSERT_NE(aboutItem, nullptr);

    QString licence;
    QWidget *parent = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto *about = dynamic_cast<TFormVarnoAbout *>(QApplication::activeModalWidget())) {
            licence = about->LicenseFile;
            parent = about->parentWidget();
            about->reject();
        }
    });
    aboutItem->trigger();
    EXPECT_EQ(licence, LicenseFilePath());
    EXPECT_TRUE(licence.endsWith("/License.txt"));
    EXPECT_EQ(parent, &form);
}

} // namespace
