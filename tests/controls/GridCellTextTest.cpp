#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"
#include "support/TypeText.h"

#include "controls/InplaceEdit.h"
#include "controls/LXStringGrid.h"
#include "platform/ErrorDisplay.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Edits a cell of a grid being edited on the surface: the editor's text is
// replaced as typing or a paste from its menu does, and Enter commits.
template <class Enter> void EditCell(TLXStringGrid &grid, Enter &&enter)
{
    grid.editItem(grid.item(1, 1));
    auto *editor = grid.findChild<TInplaceEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    enter(editor);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view posts the commit, and a refused commit posts its message.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

TEST(GridCellTextTest, ACellKeepsItsTextWhenTheEnteredOneCannotBeStored)
{
    EnsureDesignerSingletons();
    QStringList shown;
    const THookGuard display(ErrorDisplay::Show, [&](const QString &m) { shown << m; });
    TLXStringGrid grid;
    grid.SetControlStatus(csEdit);
    grid.SetCell(1, 1, "old");
    grid.show();

    EditCell(grid, [](QLineEdit *editor) { editor->insert(QString::fromUtf8("\u00e9t\u00e9")); });
    EXPECT_EQ(grid.Cell(1, 1), "old");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("cannot be stored in the layout's code page"))
        << shown[0].toStdString();

    const QString cyrillic = QString::fromUtf8("\u042f\u0447\u0435\u0439\u043a\u0430");
    EditCell(grid, [&](QLineEdit *editor) { TypeText(editor, cyrillic); });
    EXPECT_EQ(grid.Cell(1, 1), cyrillic);
    EXPECT_EQ(shown.size(), 1);
}

} // namespace
