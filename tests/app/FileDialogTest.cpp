#include "support/DesignerSingletons.h"
#include "support/FileDialogDriver.h"

#include "app/Main.h"
#include "designer/LXControlsContainer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

// The main window's file dialogs, answered through their name box.
class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->AddControl(1, 0, nullptr, 0);
        ASSERT_TRUE(dir.isValid());
    }
    QString InDir(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
};

TEST_F(FileDialogTest, SaveAsTakesTheTypedNameAsOneName)
{
    const QString typed = QStringLiteral("x \"q\" y.xml");
    AnswerFileDialog(dir.path(), typed);
    ASSERT_TRUE(form->mnuSaveAsClick());
    EXPECT_EQ(form->FileName().toStdString(), InDir(typed).toStdString());
    EXPECT_TRUE(QFileInfo(InDir(typed)).isFile());
    EXPECT_TRUE(form->windowTitle().endsWith("[" + typed + "]"))
        << form->windowTitle().toStdString();
    EXPECT_FALSE(QFileInfo::exists(InDir("q.xml")));

    // Without an extension the chosen type's is added, quotes or not.
    for (const QString &name : {QStringLiteral("a \"b\""), QStringLiteral("plain")}) {
        QString fileName;
        TForm1::TSaveType fileType = TForm1::SavePdf;
        AnswerFileDialog(dir.path(), name);
        ASSERT_TRUE(form->SaveDialog(fileName, fileType));
        EXPECT_EQ(fileName.toStdString(), InDir(name + ".xml").toStdString());
        EXPECT_EQ(fileType, TForm1::SaveLayoutFile);
    }
}

TEST_F(FileDialogTest, OpenFindsTheFileNamedWithQuotesNotTheQuotedPart)
{
    const QString quoted = InDir(QStringLiteral("a \"b\" c.xml"));
    form->Container()->SaveLayout(quoted);
    form->Container()->SaveLayout(InDir("b.xml"));
    AnswerFileDialog(dir.path(), QStringLiteral("a \"b\" c.xml"));
    EXPECT_EQ(form->OpenDialog().toStdString(), quoted.toStdString());
}

} // namespace
