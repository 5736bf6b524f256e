#include "support/DesignerSingletons.h"
#include "support/TypeText.h"

#include "controls/InplaceEdit.h"
#include "controls/LXStringGrid.h"
#include "platform/ErrorDisplay.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Types into a cell of a grid being edited on the surface and ends with
// Enter, as a user does.
void TypeIntoCell(TLXStringGrid &grid, int col, int row, const QString &text)
{
    grid.editItem(grid.item(row, col));
    auto *editor = grid.findChild<TInplaceEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    TypeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view posts the commit, and a refused commit posts its message.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
}

TEST(GridCellTextTest, ACellKeepsItsTextWhenTheTypedOneCannotBeStored)
{
    EnsureDesignerSingletons();
    QStringList shown;
    const auto previous = ErrorDisplay::Show;
    ErrorDisplay::Show = [&](const QString &message) { shown << message; };
    const auto restore = qScopeGuard([&] { ErrorDisplay::Show = previous; });
    TLXStringGrid grid;
    grid.SetControlStatus(csEdit);
    grid.SetCell(1, 1, "old");
    grid.show();

    TypeIntoCell(grid, 1, 1, QString::fromUtf8("\u00e9t\u00e9"));
    EXPECT_EQ(grid.Cell(1, 1), "old");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains("cannot be stored in the layout's code page"))
        << shown[0].toStdString();

    const QString cyrillic = QString::fromUtf8("\u042f\u0447\u0435\u0439\u043a\u0430");
    TypeIntoCell(grid, 1, 1, cyrillic);
    EXPECT_EQ(grid.Cell(1, 1), cyrillic);
    EXPECT_EQ(shown.size(), 1);
}

} // namespace
