#include "support/ActiveWindow.h"
#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/SavedLayout.h"
#include "support/TypeText.h"

#include "app/Main.h"
#include "controls/ControlsFactory.h"
#include "controls/LXStringGrid.h"
#include "designer/DesignHistory.h"
#include "designer/LXControlsContainer.h"
#include "platform/ErrorDisplay.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

// Double-clicking a cell of a designed string grid edits it in place;
// each committed text is one step of the history.
class GridCellEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        ASSERT_TRUE(ShowActive(*form, {1200, 800}));
        grid = static_cast<TLXStringGrid *>(form->AddControl(
            ControlsFactory->IndexOfClass(typeid(TLXStringGrid)), 20, nullptr, 20));
        ASSERT_TRUE(grid);
        QCoreApplication::sendPostedEvents();
    }
    QUndoStack &Stack() { return form->History()->Stack(); }
    std::string Bytes() { return SavedLayout(*form->Container(), dir); }
    static std::string CellXml(int col, int row, const std::string &text)
    {
        return "<cell col=\"" + std::to_string(col) + "\" row=\"" + std::to_string(row) + "\">" +
               text + "</cell>";
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(form->windowHandle(), key, mods);
        QCoreApplication::sendPostedEvents();
    }
    // Double-clicks the cell and answers the editor that took the keyboard.
    QLineEdit *EditCell(int col, int row)
    {
        const QRect cell = grid->visualRect(grid->model()->index(row, col));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QCoreApplication::sendPostedEvents();
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        EXPECT_TRUE(editor && editor->isVisible() && editor->parentWidget() == grid->viewport());
        if (editor) {
            EXPECT_TRUE(cell.contains(editor->geometry())) << "the editor stands over the cell";
        }
        return editor;
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm1> form;
    TLXStringGrid *grid = nullptr;
};

TEST_F(GridCellEditTest, EnterCommitsOneStepThatUndoAndRedoTakeBackAndForth)
{
    grid->SetCell(1, 2, "old");
    const std::string before = Bytes();
    const int steps = Stack().count();
    QLineEdit *editor = EditCell(1, 2);
    ASSERT_TRUE(editor);
    EXPECT_EQ(editor->text(), "old");
    TypeText(editor, "Total");
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(1, 2), "Total") << "the typing replaced the selected text";
    EXPECT_EQ(Stack().count(), steps + 1);
    const std::string after = Bytes();
    EXPECT_NE(after.find(CellXml(1, 2, "Total")), std::string::npos);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(grid->viewport()->findChild<QLineEdit *>()) << "the editor is gone";

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(grid->Cell(1, 2), "old");
    EXPECT_EQ(Bytes(), before);
    Stack().redo();
    EXPECT_EQ(Bytes(), after);
}

TEST_F(GridCellEditTest, EscDropsLeavingCommitsAndUnstorableTextIsRefused)
{
    const int steps = Stack().count();
    QLineEdit *editor = EditCell(0, 0);
    ASSERT_TRUE(editor);
    TypeText(editor, "dropped");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->Cell(0, 0), "");
    EXPECT_EQ(Stack().count(), steps);

    editor = EditCell(3, 1);
    ASSERT_TRUE(editor);
    TypeText(editor, "kept");
    form->Container()->setFocus(Qt::MouseFocusReason);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(grid->Cell(3, 1), "kept");
    EXPECT_EQ(Stack().count(), steps + 1);

    // Committing the text the cell already holds makes no step.
    editor = EditCell(3, 1);
    ASSERT_TRUE(editor);
    Key(Qt::Key_Return);
    EXPECT_EQ(Stack().count(), steps + 1);

    QStringList shown;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown << m; });
    editor = EditCell(3, 1);
    ASSERT_TRUE(editor);
    TypeText(editor, QString::fromUtf8("\u00e9t\u00e9"));
    Key(Qt::Key_Return);
    EXPECT_EQ(grid->Cell(3, 1), "kept");
    EXPECT_EQ(Stack().count(), steps + 1);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("code page")) << shown[0].toStdString();
}

} // namespace
