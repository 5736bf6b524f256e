#include "support/FileDialogDriver.h"
#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "editors/RSTStringsEditor.h"
#include "platform/ErrorDisplay.h"
#include "platform/Exception.h"
#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSItemListView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
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
    }
    void ClickTab(int index)
    {
        QTabBar *bar = dialog.pcViews->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }
    // Clicks a value cell of the INI grid and types over it.
    void TypeIntoValue(int line, const QString &text)
    {
        QTest::mouseClick(dialog.IniEditor->viewport(), Qt::LeftButton, Qt::NoModifier,
                          dialog.IniEditor->CellRect(1, line).center());
        TRSInplaceEditList *editor = dialog.IniEditor->Editor();
        ASSERT_TRUE(editor && editor->isVisible());
        editor->selectAll();
        TypeText(editor, text);
    }
};

} // namespace

TEST_F(StringsEditorFixture, CounterFollowsTypingAndEscapeCancels)
{
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

TEST_F(StringsEditorFixture, SwitchingPagesCarriesTheEditsAndOkOnIniTakesTheGrid)
{
    dialog.SetLines({"a=1", "b=2"});
    Open();
    QTest::keyClick(dialog.Memo1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(dialog.Memo1, "c");
    ClickTab(1);
    TypeIntoValue(2, "3");
    ClickTab(0);
    EXPECT_EQ(dialog.Lines(), (Lines{"a=1", "b=3", "c="}));
    ClickTab(1);
    TypeIntoValue(3, "x");
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Lines(), (Lines{"a=1", "b=3", "c=x"}));
}

TEST(StringsEditor, AnEmptyIniPageTakesItsFirstLinesFromTheKeyboard)
{
    TfrmRSStringsEditor dialog;
    dialog.SetIniViewVisible(true);
    dialog.SetMemoViewVisible(false);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // Keys go where the focus is, as a user's would.
    const auto type = [](const char *text) {
        for (const char *c = text; *c; ++c)
            QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*c)));
    };
    const auto key = [](Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); };
    type("name");
    TRSInplaceEditList *editor = dialog.IniEditor->Editor();
    ASSERT_TRUE(editor && editor->isVisible()) << "the blank line takes typing";
    key(Qt::Key_Tab);
    type("1");
    key(Qt::Key_Return);
    // Down on the last line adds one; the value column stays current.
    key(Qt::Key_Down);
    type("2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    type("k");
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Lines(), (Lines{"name=1", "k=2"}));
}

TEST(StringsEditor, ASingleViewOpensWithoutTabs)
{
    for (const bool ini : {true, false}) {
        TfrmRSStringsEditor dialog;
        dialog.SetIniViewVisible(ini);
        dialog.SetMemoViewVisible(!ini);
        dialog.open();
        QApplication::setActiveWindow(&dialog);
        QWidget *view = ini ? static_cast<QWidget *>(dialog.IniEditor) : dialog.Memo1;
        EXPECT_EQ(dialog.pcViews->currentWidget(), ini ? dialog.tsINI : dialog.tsMemo);
        EXPECT_TRUE(view->isVisible());
        EXPECT_FALSE(dialog.pcViews->tabBar()->isVisible());
        EXPECT_TRUE(view == QApplication::focusWidget() ||
                    view->isAncestorOf(QApplication::focusWidget()));
    }
}

TEST_F(StringsEditorFixture, SavesAndLoadsTextFilesAndReportsFileErrors)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("list.txt");
    const std::string cyrillic = "\xC0\xE1"; // two letters of the code page
    dialog.SetLines({"one", "", cyrillic});
    QString suggested = "unset";
    dialog.OnChooseSaveFile = [&](const QString &s) { return suggested = s, path; };
    dialog.OnChooseLoadFile = [&] { return path; };
    dialog.Save1Click();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "one\r\n\r\n" + cyrillic + "\r\n");
    dialog.SetLines({});
    dialog.Load1Click();
    EXPECT_EQ(dialog.Lines(), (Lines{"one", "", cyrillic}));
    dialog.Save1Click();
    EXPECT_EQ(suggested, path); // the file last loaded

    // From the menu a file error reaches the error display; the dialog stays.
    dialog.OnChooseLoadFile = [&] { return dir.filePath("missing.txt"); };
    EXPECT_THROW(dialog.Load1Click(), Exception);
    QString shown;
    {
        const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown = m; });
        Open();
        dialog.StringEditorMenu->actions().at(0)->trigger();
    }
    EXPECT_TRUE(shown.startsWith("Cannot open file")) << shown.toStdString();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(StringsEditorFixture, LinesTheCodePageCannotHoldAreRefusedInBothViews)
{
    const std::string cyrillic = "b=\xC0\xE1";
    dialog.SetLines({"a=1", cyrillic});
    QStringList shown;
    std::string refused;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown << m; });
    const THookGuard input(TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [&](const std::exception &e) { refused = e.what(); });
    Open();

    // In the memo: OK and the INI page are refused while the text is there.
    QTest::keyClick(dialog.Memo1, Qt::Key_End, Qt::ControlModifier);
    TypeText(dialog.Memo1, QString::fromUtf8("\u00e9\u4e2d"));
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    ClickTab(1);
    EXPECT_EQ(dialog.pcViews->currentIndex(), 0);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains("cannot be stored in the layout's code page"))
        << shown[0].toStdString();

    // Mended, the page changes; a value typed in the grid is refused on Enter.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(dialog.Memo1, Qt::Key_Backspace);
    ClickTab(1);
    ASSERT_EQ(dialog.pcViews->currentIndex(), 1);
    TypeIntoValue(1, QString::fromUtf8("\u00fc"));
    QTest::keyClick(dialog.IniEditor->Editor(), Qt::Key_Return);
    EXPECT_NE(refused.find("cannot be stored in the layout's code page"), std::string::npos)
        << refused;
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Lines(), (Lines{"a=1", cyrillic}));
}

TEST_F(StringsEditorFixture, SaveTakesATypedNameWithQuotesAsOneName)
{
    QTemporaryDir dir;
    dialog.SetLines({"one"});
    AnswerFileDialog(dir.path(), QStringLiteral("n \"m\".txt"));
    dialog.Save1Click();
    EXPECT_TRUE(QFileInfo(QDir(dir.path()).filePath(QStringLiteral("n \"m\".txt"))).isFile());
    EXPECT_FALSE(QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("m.txt"))));
}
