#include "app/Main.h"
#include "app/VarnoAbout.h"
#include "app/VersInfo.h"
#include "platform/DesktopShell.h"
#include "platform/Exception.h"
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"

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

// A minimal ELF file of either class and byte order: a section name table
// and a ".fd_version" section holding block, placed shift bytes further on.
QByteArray ElfWithBlock(bool is64, bool big, const QByteArray &block, quint64 shift = 0)
{
    QByteArray image(is64 ? 64 : 52, '\0');
    auto put = [&](qsizetype at, quint64 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            image[at + i] = char(value >> ((big ? bytes - 1 - i : i) * 8));
    };
    image.replace(0, 6,
                  QByteArray("\x7f"
                             "ELF") +
                      char(is64 ? 2 : 1) + char(big ? 2 : 1));
    const QByteArray names("\0.shstrtab\0.fd_version\0", 23);
    const quint64 namesAt = image.size(), blockAt = namesAt + names.size();
    const quint64 tableAt = blockAt + block.size();
    const int entry = is64 ? 64 : 40;
    image += names + block + QByteArray(3 * entry, '\0');
    put(is64 ? 0x28 : 0x20, tableAt, is64 ? 8 : 4);
    put(is64 ? 0x3a : 0x2e, entry, 2);
    put(is64 ? 0x3c : 0x30, 3, 2);
    put(is64 ? 0x3e : 0x32, 1, 2);
    auto section = [&](int index, quint32 name, quint64 offset, quint64 size) {
        const qsizetype at = tableAt + index * entry;
        put(at, name, 4);
        put(at + 4, 1, 4);
        put(at + (is64 ? 0x18 : 0x10), offset, is64 ? 8 : 4);
        put(at + (is64 ? 0x20 : 0x14), size, is64 ? 8 : 4);
    };
    section(1, 1, namesAt, names.size());
    section(2, 11, blockAt + shift, block.size());
    return image;
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
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
            EXPECT_EQ(info.GetVersionString(9), "a=b");
            EXPECT_EQ(info.GetVersionString(2), "");
            EXPECT_EQ(info.GetVersionString(11), "");
        }
    const QString damaged = WriteFile(dir, "damaged", ElfWithBlock(true, false, Block, 1 << 20));
    EXPECT_THROW(TSMVersionInfo info(damaged), Exception);
}

TEST(VersionInfo, FilesWithoutTheBlockGiveEmptyTexts)
{
    QTemporaryDir dir;
    const QByteArray elf = ElfWithBlock(true, false, Block);
    QByteArray renamed = elf;
    renamed.replace(".fd_version", ".fd_other__");
    for (const QString &file : {
             QApplication::applicationFilePath(), // a program built without it
             dir.filePath("missing"), WriteFile(dir, "text", "ProductName=Form Designer\n"),
             WriteFile(dir, "renamed", renamed),
             WriteFile(dir, "cut", elf.left(elf.size() - 100)), // section table cut off
         }) {
        const TSMVersionInfo info(file);
        EXPECT_EQ(info.BlockSize(), 0) << file.toStdString();
        EXPECT_EQ(info.GetVersionString(7), "");
    }
}

#ifdef FD_PROGRAM_FILE
TEST(VersionInfo, TheBuiltProgramCarriesProductNameAndVersion)
{
    if (!QFile::exists(FD_PROGRAM_FILE))
        GTEST_SKIP() << "build the program " FD_PROGRAM_FILE " first";
    const TSMVersionInfo info(QStringLiteral(FD_PROGRAM_FILE));
    EXPECT_EQ(info.GetVersionString(7), "Form Designer");
    EXPECT_EQ(info.GetVersionString(3), FD_PROJECT_VERSION);
}
#endif

TEST(AboutBox, ShowsTheVersionBlockAndOpensTheLicenceOnlyWhenItExists)
{
    std::vector<QUrl> opened;
    const THookGuard opener(DesktopShell::Opener, [&](const QUrl &url) {
        opened.push_back(url);
        return true;
    });
    QTemporaryDir dir;
    const QString licence = WriteFile(dir, "License.txt", "MIT");
    TFormVarnoAbout about(nullptr, WriteFile(dir, "prog", ElfWithBlock(true, false, Block)));
    about.LicenseFile = licence;
    about.show();
    EXPECT_EQ(about.ProductNameLabel->text(), "Form Designer");
    EXPECT_EQ(about.FileVersionLabel->text(), "2.5.1");
    ASSERT_TRUE(about.btnTermsAndConditions->isEnabled());
    about.btnTermsAndConditions->click();
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl::fromLocalFile(licence)});

    TFormVarnoAbout bare(nullptr, dir.filePath("no-program"));
    bare.LicenseFile = dir.filePath("no-licence.txt");
    bare.show();
    EXPECT_EQ(bare.ProductNameLabel->text(), "");
    EXPECT_EQ(bare.FileVersionLabel->text(), "");
    EXPECT_FALSE(bare.btnTermsAndConditions->isEnabled());
}

TEST(AboutBox, HelpAboutOpensItModallyOverTheMainWindow)
{
    EnsureDesignerSingletons();
    TForm1 form;
    QAction *about = form.menuBar()->actions().constLast()->menu()->actions().value(1);
    ASSERT_EQ(about->text(), "About");
    QString licence;
    QWidget *parent = nullptr;
    QTimer::singleShot(0, [&] {
        if (auto *box = dynamic_cast<TFormVarnoAbout *>(QApplication::activeModalWidget())) {
            licence = box->LicenseFile;
            parent = box->parentWidget();
            box->reject();
        }
    });
    about->trigger();
    EXPECT_EQ(licence, LicenseFilePath());
    EXPECT_EQ(parent, &form);
}

} // namespace
