#include "editors/RSTStringsEditor.h"
#include "platform/CodePage.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"
#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemListView.h"
#include "propgrid/RSItemProp.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

using Lines = std::vector<std::string>;

struct StringsEditorFixture : ::testing::Test {
    TfrmRSStringsEditor dialog;

    void Open()
    {
        dialog.open();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
    }
    void ClickTab(int index)
    {
        QTabBar *bar = dialog.pcViews->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }
    // Clicks a value cell of the INI grid and types over it.
    void TypeIntoGridCell(int col, int line, const char *text)
    {
        QTest::mouseClick(dialog.IniEditor->viewport(), Qt::LeftButton, Qt::NoModifier,
                          dialog.IniEditor->CellRect(col, line).center());
        TRSInplaceEditList *editor = dialog.IniEditor->Editor();
        ASSERT_TRUE(editor && editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
};

} // namespace

TEST_F(StringsEditorFixture, CounterFollowsTypingAndEscapeCancels)
{
    EXPECT_EQ(dialog.windowTitle(), "String List Editor");
    Open();
    EXPECT_EQ(QApplication::focusWidget(), dialog.Memo1);
    EXPECT_EQ(dialog.lblLineCount->text(), "0 lines");
    QTest::keyClicks(dialog.Memo1, "abc");
    EXPECT_EQ(dialog.lblLineCount->text(), "1 line");
    QTest::keyClick(dialog.Memo1, Qt::Key_Return);
    EXPECT_EQ(dialog.lblLineCount->text(), "1 line"); // a final break adds no line
    QTest::keyClicks(dialog.Memo1, "d");
    EXPECT_EQ(dialog.lblLineCount->text(), "2 lines");
    EXPECT_EQ(dialog.Lines(), (Lines{"abc", "d"}));
    QTest::keyClick(dialog.Memo1, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(StringsEditorFixture, ValueEditedOnTheIniPageIsTheResultOfOk)
{
    dialog.SetLines({"a=1", "b=2"});
    Open();
    ClickTab(1);
    ASSERT_EQ(dialog.pcViews->currentWidget(), dialog.tsINI);
    TRSCustomItemListEditor *grid = dialog.IniEditor->Grid();
    ASSERT_EQ(grid->DisplayedRows().size(), 2u);
    EXPECT_EQ(grid->DisplayedRows()[1]->Name(), "b");
    EXPECT_EQ(grid->DisplayedRows()[1]->Value(), "2");
    TypeIntoGridCell(1, 2, "3");
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Lines(), (Lines{"a=1", "b=3"}));
}

TEST_F(StringsEditorFixture, SwitchingPagesCarriesTheEdits)
{
    Open();
    QTest::keyClicks(dialog.Memo1, "x=1");
    QTest::keyClick(dialog.Memo1, Qt::Key_Return);
    QTest::keyClicks(dialog.Memo1, "note");
    ClickTab(1);
    TRSCustomItemListEditor *grid = dialog.IniEditor->Grid();
    ASSERT_EQ(grid->DisplayedRows().size(), 2u);
    EXPECT_EQ(grid->DisplayedRows()[0]->Value(), "1");
    TypeIntoGridCell(1, 1, "7");
    ClickTab(0);
    EXPECT_EQ(dialog.Lines(), (Lines{"x=7", "note="}));
    EXPECT_EQ(dialog.lblLineCount->text(), "2 lines");
    // Cancel on the INI page still leaves the grid's rows in Lines.
    ClickTab(1);
    TypeIntoGridCell(1, 2, "n");
    QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Lines(), (Lines{"x=7", "note=n"}));
}

TEST(StringsEditor, ASingleViewOpensWithoutTabs)
{
    TfrmRSStringsEditor iniOnly;
    iniOnly.SetLines({"a=1"});
    iniOnly.SetIniViewVisible(true);
    iniOnly.SetMemoViewVisible(false);
    iniOnly.open();
    QApplication::setActiveWindow(&iniOnly);
    EXPECT_EQ(iniOnly.pcViews->currentWidget(), iniOnly.tsINI);
    EXPECT_TRUE(iniOnly.IniEditor->isVisible());
    EXPECT_FALSE(iniOnly.pcViews->tabBar()->isVisible());
    EXPECT_TRUE(iniOnly.IniEditor->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == iniOnly.IniEditor);
    iniOnly.reject();

    TfrmRSStringsEditor memoOnly;
    memoOnly.SetLines({"a=1"});
    memoOnly.SetIniViewVisible(false);
    memoOnly.SetMemoViewVisible(true);
    memoOnly.open();
    QApplication::setActiveWindow(&memoOnly);
    EXPECT_EQ(memoOnly.pcViews->currentWidget(), memoOnly.tsMemo);
    EXPECT_TRUE(memoOnly.Memo1->isVisible());
    EXPECT_FALSE(memoOnly.pcViews->tabBar()->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), memoOnly.Memo1);
    memoOnly.accept();
    EXPECT_EQ(memoOnly.Lines(), (Lines{"a=1"}));
}

TEST_F(StringsEditorFixture, SavesAndLoadsTextFilesAndReportsFileErrors)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    const std::string cyrillic = "\xC0\xE1"; // two letters of the code page
    dialog.SetLines({"one", "", cyrillic});
    QString suggested = "unset";
    dialog.OnChooseSaveFile = [&](const QString &s) {
        suggested = s;
        return path;
    };
    dialog.Save1Click();
    EXPECT_EQ(suggested, "");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "one\r\n\r\n" + cyrillic + "\r\n");

    dialog.SetLines({});
    dialog.OnChooseLoadFile = [&] { return path; };
    dialog.Load1Click();
    EXPECT_EQ(dialog.Lines(), (Lines{"one", "", cyrillic}));
    dialog.Save1Click();
    EXPECT_EQ(suggested, path);

    // A missing file raises; from the menu it reaches the error display and
    // the dialog stays open.
    dialog.OnChooseLoadFile = [&] { return dir.filePath("missing.txt"); };
    EXPECT_THROW(dialog.Load1Click(), Exception);
    std::vector<QString> shown;
    const auto previous = ErrorDisplay::Show;
    ErrorDisplay::Show = [&](const QString &message) { shown.push_back(message); };
    Open();
    dialog.StringEditorMenu->actions().at(0)->trigger();
    ErrorDisplay::Show = previous;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].startsWith("Cannot open file")) << shown[0].toStdString();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Lines(), (Lines{"one", "", cyrillic}));
}
