#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "app/Main.h"
#include "controls/LXDesigned.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "platform/ErrorDisplay.h"
#include "propgrid/RSInplaceEditList.h"
#include "reflection/TypInfo.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Edits in the main window's inspector driven by real mouse and key events.
class InspectorEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1000, 700);
        form->show();
        view = form->ObjectInspector();
        grid = view->Inspector();
    }

    // Clicks the value cell of a shown row and returns the in-place editor.
    TRSInplaceEditList *ClickValue(const std::string &path)
    {
        QCoreApplication::sendPostedEvents();
        const QRect cell = view->CellRect(1, Line(path));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QApplication::processEvents();
        return view->Editor();
    }
    int Line(const std::string &path)
    {
        TRSItemProp *row = grid->Items()->FindPath(path);
        const auto &shown = grid->DisplayedRows();
        const auto it = std::find(shown.begin(), shown.end(), row);
        EXPECT_NE(it, shown.end()) << path;
        return grid->FixedItems() + static_cast<int>(it - shown.begin());
    }
    void Type(TRSInplaceEditList *editor, const QString &text)
    {
        ASSERT_TRUE(editor && editor->isVisible());
        editor->selectAll();
        TypeText(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
    }

    QString error;
    // Typing errors are recorded instead of shown in a message box.
    const THookGuard input{TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [this](const std::exception &e) { error = ErrorDisplay::MessageOf(e); }};
    std::unique_ptr<TForm1> form;
    TRSObjectInspector *view = nullptr;
    TRSCustomObjectInspector *grid = nullptr;
};

TEST_F(InspectorEditingTest, CaptionTypedIntoTheInspectorRenamesTheButton)
{
    auto *button = static_cast<QPushButton *>(form->AddControl(1, 0, nullptr, 0));
    Type(ClickValue("Caption"), "Hello");
    EXPECT_EQ(button->text(), "Hello");
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(grid->Items()->FindPath("Caption")->Value(), "Hello");
}

TEST_F(InspectorEditingTest, WidthTypedForTwoSelectedControlsReachesBoth)
{
    QWidget *a = form->AddControl(1, 0, nullptr, 0);
    QWidget *b = form->AddControl(2, 100, nullptr, 100);
    DesignerHandler->SelectControl(a, false);
    DesignerHandler->SelectControl(b, true);
    Type(ClickValue("Width"), "90");
    EXPECT_EQ(a->width(), 90);
    EXPECT_EQ(b->width(), 90);

    // A text that is no number is refused and the old width stays.
    Type(ClickValue("Width"), "abc");
    EXPECT_EQ(a->width(), 90);
    EXPECT_TRUE(error.startsWith("\"abc\" is not a valid Integer value: ")) << error.toStdString();
}

TEST_F(InspectorEditingTest, ACaptionTheCodePageCannotHoldIsRefusedWhereItIsTyped)
{
    auto *button = static_cast<QPushButton *>(form->AddControl(1, 0, nullptr, 0));
    const QString before = button->text();
    const std::string rowBefore = grid->Items()->FindPath("Caption")->Value();
    for (const QString &typed : {QString::fromUtf8("Caf\u00e9"), QString::fromUtf8("\u4e2d\u6587"),
                                 QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd")}) {
        error.clear();
        TRSInplaceEditList *editor = ClickValue("Caption");
        Type(editor, typed);
        EXPECT_EQ(button->text(), before) << typed.toStdString();
        EXPECT_EQ(grid->Items()->FindPath("Caption")->Value(), rowBefore);
        EXPECT_TRUE(error.contains("cannot be stored in the layout's code page"))
            << error.toStdString();
        // The editor stays, back at the value the row still has.
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->text(), before);
    }
    EXPECT_TRUE(error.contains(QString::fromUtf8("\u05e9, \u05dc, \u05d5, \u05dd")))
        << error.toStdString();

    // Cyrillic letters and the euro sign are in the code page.
    error.clear();
    const QString held = QString::fromUtf8("\u041f\u0440\u0438\u0432\u0435\u0442 \u20ac");
    Type(ClickValue("Caption"), held);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(button->text(), held);
}

TEST_F(InspectorEditingTest, BoldIsSwitchedOnThroughTheFontRows)
{
    QWidget *button = form->AddControl(1, 0, nullptr, 0);
    QCoreApplication::sendPostedEvents();
    // The plus glyphs open Font, then Style.
    for (const char *path : {"Font", "Font.Style"}) {
        const QRect key = view->CellRect(0, Line(path));
        const int indent = grid->Items()->FindPath(path)->Level() * grid->Indent();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          key.topLeft() + QPoint(indent + 4, key.height() / 2));
    }
    Type(ClickValue("Font.Style.fsBold"), "True");
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(
        TypInfo::GetSetProp(TypInfo::GetObjectProp(AsDesigned(button), "Font"), "Style", true),
        "[fsBold]");
    EXPECT_EQ(grid->Items()->FindPath("Font.Style")->Value(), "[fsBold]");
}

TEST_F(InspectorEditingTest, TheEditorClosesWhenTheInspectorIsEmptied)
{
    form->AddControl(1, 0, nullptr, 0);
    TRSInplaceEditList *editor = ClickValue("Width");
    ASSERT_TRUE(editor && editor->isVisible());
    // Saving walks an inspector of its own: the one shown keeps its rows
    // and the value being edited.
    QTemporaryDir dir;
    form->Container()->SaveLayout(dir.filePath("a.xml"));
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(grid->DisplayedRows().empty());
    EXPECT_TRUE(editor->isVisible());
    // Showing nothing empties it.
    form->ShowSelected(nullptr);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(grid->DisplayedRows().empty());
    EXPECT_FALSE(editor->isVisible()) << "no editor is left over a row that is gone";
}

} // namespace
