#include "support/HookGuard.h"

#include "propgrid/RSEditMask.h"
#include "propgrid/RSHintWindow.h"
#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemListView.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemPropValueStrings.h"
#include "propgrid/RSItemProps.h"
#include "propgrid/RSPopupListbox.h"
#include "reflection/RSConsts.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <utility>

namespace
{

struct EditorFixture : ::testing::Test {
    std::unique_ptr<TRSItemListView> view;
    TRSCustomItemListEditor *grid = nullptr;
    std::vector<std::string> errors;
    const THookGuard input{TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [this](const std::exception &e) { errors.push_back(e.what()); }};
    int validations = 0;

    void SetUp() override
    {
        view = std::make_unique<TRSItemListView>();
        grid = view->Grid();
        grid->OnValidate = [this](TRSObject *, TRSItemProp *, int) { ++validations; };
    }
    void TearDown() override { view.reset(); }
    TRSItemProp *Add(const std::string &name, const std::string &value)
    {
        TRSItemProp *row = grid->Items()->Add();
        row->SetName(name);
        row->SetValue(value);
        return row;
    }
    void Show()
    {
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        QApplication::processEvents();
    }
    // Puts the editor on the value cell of a line.
    TRSInplaceEditList *EditLine(int line)
    {
        grid->SetRow(line);
        grid->ShowEditor();
        QApplication::processEvents();
        TRSInplaceEditList *editor = view->Editor();
        EXPECT_TRUE(editor && editor->isVisible());
        editor->setFocus();
        return editor;
    }
};

} // namespace

TEST(EditMask, TranslatesTheMasksOfThePresets)
{
    const std::pair<const char *, const char *> rows[] = {
        {"!90/00/0000;1;_", "09/99/9999;_"},
        {"!90:00:00 >LL;1;_", "09:99:99 >AA;_"},
        {"!90/00/0000 90:00:00 >LL;1;_", "09/99/9999 09:99:99 >AA;_"},
        {"<>Aa\\9;0; ", "!Nn\\9; "},
        {"", ""},
    };
    for (const auto &[mask, inputMask] : rows) {
        SCOPED_TRACE(std::string("mask \"") + mask + "\"");
        EXPECT_EQ(RSMaskToInputMask(mask), inputMask);
    }
}

TEST_F(EditorFixture, ExpressionRejectsAndRestores)
{
    TRSItemProp *row = Add("Count", "5");
    row->SetEditMask("^[0-9]+$");
    row->SetExpressionMask(true);
    Show();
    EXPECT_EQ(grid->GetEditMask(1, 1), ""); // no input mask for expressions
    TRSInplaceEditList *editor = EditLine(1);
    editor->selectAll();
    QTest::keyClicks(editor, "12");
    EXPECT_EQ(row->Value(), "12");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(validations, 1);
    EXPECT_FALSE(editor->Modified());

    QTest::keyClicks(editor, "a");
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "\"12a\" is not a valid property value");
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "12");
    EXPECT_EQ(row->Value(), "12");

    // Unanchored: any text holding a digit passes; empty: everything passes.
    row->SetEditMask("[0-9]");
    editor->UpdateContents();
    editor->setText("x1y");
    EXPECT_TRUE(editor->IsValueValid());
    row->SetExpressionMask(false);
    editor->UpdateContents();
    editor->setText("abc");
    EXPECT_TRUE(editor->IsValueValid());
}

TEST_F(EditorFixture, PickListDropsDownAndCloses)
{
    TRSItemProp *row = Add("Colour", "c05");
    for (int i = 0; i < 20; ++i)
        row->GetPickList()->Add(QString("c%1").arg(i, 2, 10, QChar('0')).toStdString());
    EXPECT_EQ(row->EditStyle(), esPickList);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    ASSERT_EQ(editor->EditStyle(), esPickList);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(editor->ListVisible());
    TPopupListbox *list = editor->GetPickList();
    EXPECT_EQ(list->height(), 8 * list->ItemHeight() + 4);
    EXPECT_GE(list->width(), editor->width());
    EXPECT_EQ(list->currentItem()->text(), "c05");
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(editor->text(), "c05"); // the list moves, not the text
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(editor->text(), "c07");
    EXPECT_EQ(row->Value(), "c07");
    EXPECT_EQ(validations, 1);

    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(row->Value(), "c07");
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Up);
    QTest::keyClick(editor, Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(row->Value(), "c06");

    // A read-only row never takes an entry.
    row->SetReadOnly(true);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(row->Value(), "c06");
}

TEST_F(EditorFixture, PickListChoiceOnAnUnanchoredExpressionIsTaken)
{
    TRSItemProp *row = Add("Digit", "1");
    for (const char *entry : {"1", "2", "3", "x"})
        row->GetPickList()->Add(entry);
    row->SetEditMask("[0-9]");
    row->SetExpressionMask(true);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(editor->text(), "3");
    EXPECT_EQ(row->Value(), "3");
    // An entry the expression refuses is reported, not dropped in silence.
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(editor, Qt::Key_Down);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "\"x\" is not a valid property value");
    EXPECT_EQ(editor->text(), "3");
    EXPECT_EQ(row->Value(), "3");
}

TEST_F(EditorFixture, ReloadingTheCellClosesAnOpenList)
{
    TRSItemProp *row = Add("a", "p");
    for (const char *entry : {"p", "q", "r"})
        row->GetPickList()->Add(entry);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    TPopupListbox *list = editor->GetPickList();
    ASSERT_TRUE(list->isVisible());
    // The value changes under the open list: the editor loads the cell anew.
    row->SetValue("q");
    EXPECT_EQ(editor->text(), "q");
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_FALSE(list->isVisible());
    QApplication::processEvents();
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(list->isVisible()) << "the list opens again";
}

TEST_F(EditorFixture, IncrementalSearchRestartsAfterTwoSeconds)
{
    TRSItemProp *row = Add("Name", "");
    for (const char *entry : {"alpha", "beta", "bravo", "brown", "charlie"})
        row->GetPickList()->Add(entry);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    TPopupListbox *list = editor->GetPickList();
    qint64 now = 10000;
    list->Clock = [&] { return now; };
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    QTest::keyClicks(editor, "br");
    EXPECT_EQ(list->currentItem()->text(), "bravo");
    now += 500;
    QTest::keyClicks(editor, "o");
    EXPECT_EQ(list->currentItem()->text(), "brown");
    now += 2001;
    QTest::keyClicks(editor, "c");
    EXPECT_EQ(list->SearchText(), "c");
    EXPECT_EQ(list->currentItem()->text(), "charlie");
    // A release outside the list closes it without taking the entry.
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(row->Value(), "");
}

TEST_F(EditorFixture, DoubleClickCyclesThroughThePickList)
{
    TRSItemProp *row = Add("Align", "alRight");
    for (const char *entry : {"alNone", "alLeft", "alRight"})
        row->GetPickList()->Add(entry);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    const QPoint inText(5, editor->height() / 2);
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::NoModifier, inText);
    EXPECT_EQ(row->Value(), "alNone");
    EXPECT_EQ(validations, 1);
    QTest::mouseDClick(editor, Qt::LeftButton, Qt::NoModifier, inText);
    EXPECT_EQ(row->Value(), "alLeft");
    EXPECT_EQ(validations, 2);
}

TEST_F(EditorFixture, CtrlEnterOnAnEllipsisRowCommitsAndClicks)
{
    TRSItemProp *row = Add("Items", "(list)");
    row->SetEditStyle(esEllipsis);
    int clicks = 0;
    row->OnEditButtonClick = [&](TRSObject *sender) {
        EXPECT_EQ(sender, row);
        ++clicks;
    };
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClicks(editor, "x");
    QTest::keyClick(editor, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(validations, 1);
    EXPECT_EQ(row->Value(), "(list)x");
    // The button: press and release on it.
    const QPoint button = editor->ButtonRect().center();
    QTest::mouseClick(editor, Qt::LeftButton, Qt::NoModifier, button);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(editor->Pressed());
}

TEST_F(EditorFixture, EscRestoresTheTextTheEditingBeganWith)
{
    TRSItemProp *row = Add("Caption", "Hello");
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClicks(editor, "!!");
    EXPECT_EQ(row->Value(), "Hello!!");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(editor->text(), "Hello");
    EXPECT_EQ(row->Value(), "Hello");
    EXPECT_EQ(editor->selectedText(), "Hello");
    EXPECT_EQ(validations, 0);
}

TEST_F(EditorFixture, EditsATreeOfRowsInARealWindow)
{
    TRSItemProp *font = Add("Font", "");
    font->Items()->AddPath("Name", "Arial", false);
    font->Items()->AddPath("Size", "8", false);
    Add("Caption", "Button1");
    Show();
    ASSERT_EQ(grid->DisplayedRows().size(), 2u);
    // A click on the plus glyph opens the row.
    const QRect key = view->CellRect(0, 1);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      key.topLeft() + QPoint(4, 8));
    ASSERT_EQ(grid->DisplayedRows().size(), 4u);
    // A click on the value of "Size" edits it.
    const QRect size = view->CellRect(1, 3);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, size.center());
    QApplication::processEvents();
    TRSInplaceEditList *editor = view->Editor();
    ASSERT_TRUE(editor && editor->isVisible());
    EXPECT_EQ(editor->geometry(), size);
    EXPECT_EQ(editor->text(), "8");
    editor->selectAll();
    QTest::keyClicks(editor, "10");
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(grid->Items()->FindPath("Font.Size")->Value(), "10");
    EXPECT_EQ(grid->CurrentRow()->Name(), "Caption");
    EXPECT_EQ(editor->text(), "Button1");
    EXPECT_EQ(validations, 1);
    // The window paints without trouble.
    const QImage shot = view->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(errors.empty());
}

TEST(HintWindow, HidesAfterItsIntervalOnly)
{
    TRSHintWindow hint;
    EXPECT_EQ(hint.Interval(), 1000);
    hint.SetInterval(0);
    hint.ShowAt(QPoint(10, 10), "text");
    EXPECT_TRUE(hint.isVisible());
    EXPECT_FALSE(hint.Timer()->isActive());
    hint.HideHint();
    hint.SetInterval(1000);
    hint.ShowAt(QPoint(10, 10), "text");
    EXPECT_TRUE(hint.Timer()->isActive());
    hint.TimerExpired(); // what the timer runs when it fires
    EXPECT_FALSE(hint.isVisible());
}

TEST_F(EditorFixture, TypingAKeyInASortedGridFollowsTheRow)
{
    grid->SetPropertyOptions(propEdit);
    grid->SetSorted(true);
    Add("a", "1");
    Add("c", "3");
    TRSItemProp *fresh = grid->Items()->Add();
    Show();
    grid->SetCol(0);
    TRSInplaceEditList *editor = EditLine(3);
    ASSERT_EQ(grid->CurrentRow(), fresh);
    QTest::keyClicks(editor, "b");
    EXPECT_EQ(grid->CurrentRow(), fresh);
    EXPECT_EQ(grid->Row(), 2);
    QTest::keyClicks(editor, "x");
    EXPECT_EQ(fresh->Name(), "bx");
    std::vector<std::string> names;
    for (TRSItemProp *row : grid->DisplayedRows())
        names.push_back(row->Name());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "bx", "c"}));
    EXPECT_EQ(editor->text(), "bx");
    EXPECT_EQ(editor->geometry(), view->CellRect(0, 2));
}

TEST_F(EditorFixture, CollidingKeyIsRefusedWhenTheEditorCloses)
{
    grid->SetPropertyOptions(propEdit | propUnique);
    Add("a", "1");
    TRSItemProp *b = Add("b", "2");
    Show();
    grid->SetCol(0);
    TRSInplaceEditList *editor = EditLine(2);
    editor->selectAll();
    QTest::keyClicks(editor, "a");
    EXPECT_EQ(grid->PendingName(), "a");
    EXPECT_TRUE(errors.empty());
    QTest::keyClick(editor, Qt::Key_Up);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Property name is not unique: a");
    EXPECT_EQ(b->Name(), "b");
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Items()->Count(), 2);
}

TEST_F(EditorFixture, ItemHintCoversACellWhoseTextDoesNotFit)
{
    Add("Caption", "short");
    Add("Text", std::string(80, 'x'));
    Show();
    const QRect cell = view->CellRect(1, 2);
    QTest::mouseMove(view->viewport(), cell.center());
    TRSHintWindow *hint = view->HintWindow();
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->Text(), QString(80, 'x'));
    EXPECT_EQ(hint->pos(), view->viewport()->mapToGlobal(cell.topLeft()));
    // The key "Text" fits its cell and says nothing more.
    QTest::mouseMove(view->viewport(), view->CellRect(0, 2).center());
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(EditorFixture, DraggingAColumnEdgeInTheBodyResizesAndRefits)
{
    Add("Caption", "x");
    Show();
    ASSERT_EQ(grid->ColWidth(0), 150);
    const int edge = view->CellRect(0, 1).right() + 1;
    const int y = view->CellRect(0, 1).center().y();
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge, y));
    QTest::mouseMove(view->viewport(), QPoint(edge - 40, y));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(edge - 40, y));
    EXPECT_EQ(grid->ColWidth(0), 110);
    // The value column takes the rest of the client width.
    EXPECT_EQ(grid->ColWidth(0) + grid->ColWidth(1), view->viewport()->width() - 2);
}

TEST(GridFocus, AFailingCommitKeepsTheFocusInTheGrid)
{
    std::vector<std::string> errors;
    const THookGuard input(TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [&](const std::exception &e) { errors.push_back(e.what()); });
    QWidget window;
    auto *view = new TRSItemListView(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 310);
    TRSItemProp *row = view->Grid()->Items()->Add();
    row->SetName("Width");
    row->OnValidate = [](TRSObject *, TRSItemProp *, int) { throw ERSException("refused"); };
    window.show();
    QApplication::setActiveWindow(&window);
    view->setFocus();
    QApplication::processEvents();
    TRSInplaceEditList *editor = view->Editor();
    ASSERT_TRUE(editor && editor->hasFocus());
    QTest::keyClicks(editor, "12");
    other->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "refused");
    EXPECT_FALSE(other->hasFocus());
    EXPECT_TRUE(view->HasFocus());
}

TEST_F(EditorFixture, LeavingTheGridValidatesTheTypedValue)
{
    TRSItemProp *row = Add("Count", "5");
    row->SetEditMask("^[0-9]+$");
    row->SetExpressionMask(true);
    QWidget window;
    view->setParent(&window);
    auto *other = new QLineEdit(&window);
    other->move(0, 310);
    window.show();
    QApplication::setActiveWindow(&window);
    view->setFocus();
    QApplication::processEvents();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClicks(editor, "x");
    EXPECT_EQ(row->Value(), "5x");
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "\"5x\" is not a valid property value");
    EXPECT_EQ(row->Value(), "5");
    EXPECT_TRUE(editor->hasFocus());
    QTest::keyClicks(editor, "y");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(row->Value(), "5");
    EXPECT_EQ(validations, 0);
    EXPECT_TRUE(view->HasFocus());
    view->setParent(nullptr);
}

TEST_F(EditorFixture, ClickingAnotherCellValidatesTheTypedValue)
{
    TRSItemProp *row = Add("Count", "5");
    row->SetEditMask("^[0-9]+$");
    row->SetExpressionMask(true);
    Add("Other", "x");
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::keyClicks(editor, "z");
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->CellRect(1, 2).center());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(row->Value(), "5");
    EXPECT_EQ(grid->Row(), 1);
}

TEST_F(EditorFixture, ABrokenExpressionIsReportedAndEditingGoesOn)
{
    TRSItemProp *row = Add("Count", "5");
    row->SetEditMask("(ab");
    row->SetExpressionMask(true);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Missing Close Parentheses");
    QTest::keyClicks(editor, "6");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(row->Value(), "56");
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(EditorFixture, PressOnTheArrowDragIntoTheListReleaseSelects)
{
    TRSItemProp *row = Add("Align", "alNone");
    for (const char *entry : {"alNone", "alLeft", "alRight", "alTop"})
        row->GetPickList()->Add(entry);
    Show();
    TRSInplaceEditList *editor = EditLine(1);
    QTest::mousePress(editor, Qt::LeftButton, Qt::NoModifier, editor->ButtonRect().center());
    ASSERT_TRUE(editor->ListVisible());
    EXPECT_TRUE(editor->Pressed());
    TPopupListbox *list = editor->GetPickList();
    const QPoint inList = editor->mapFromGlobal(
        list->viewport()->mapToGlobal(list->visualItemRect(list->item(2)).center()));
    QTest::mouseMove(editor, inList);
    EXPECT_FALSE(editor->Tracking());
    QTest::mouseRelease(editor, Qt::LeftButton, Qt::NoModifier, inList);
    EXPECT_FALSE(editor->ListVisible());
    EXPECT_EQ(row->Value(), "alRight");
    EXPECT_EQ(validations, 1);
}
