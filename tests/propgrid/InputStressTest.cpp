#include "support/HookGuard.h"

#include "propgrid/RSInplaceEditList.h"
#include "propgrid/RSItemListEditor.h"
#include "propgrid/RSItemListView.h"
#include "propgrid/RSItemProp.h"
#include "propgrid/RSItemProps.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

// Random keys, typing and clicks on a grid with every editing right, with
// expressions, pick lists and unique keys: the grid must stay consistent
// (its displayed rows are what a full rebuild finds) and never crash.
namespace
{
void RunRandomInput(TRSGridOrientation orientation, bool categories)
{
    int errors = 0;
    const THookGuard input(TRSItemListView::ErrorHandler, TRSItemListView::SetErrorHandler,
                           [&](const std::exception &) { ++errors; });
    TRSItemListView view;
    TRSCustomItemListEditor *grid = view.Grid();
    grid->SetPropertyOptions(propEdit | propAdd | propDelete | propUnique);
    grid->SetOrientation(orientation);
    if (categories) {
        grid->SetArrangeByCategory(true);
        grid->Items()->Categories().Add("r1=Numbers");
        grid->Items()->Categories().Add("r2=Letters");
    }
    TRSItemProps *items = grid->Items();
    for (int i = 0; i < 6; ++i) {
        TRSItemProp *row = items->Add();
        row->SetName(std::string(1, 'r').append(std::to_string(i)));
        row->SetValue(std::to_string(i));
        if (i % 3 == 0)
            for (int j = 0; j < 3; ++j)
                row->Items()->AddPath(std::string(1, 'c').append(std::to_string(j)), "v", false);
        if (i == 1) {
            row->SetEditMask("^[0-9]+$");
            row->SetExpressionMask(true);
        }
        if (i == 2)
            for (const char *entry : {"a", "ab", "b"})
                row->GetPickList()->Add(entry);
        if (i == 4)
            row->SetEditStyle(esEllipsis);
    }
    view.show();
    QApplication::setActiveWindow(&view);
    view.setFocus();
    QApplication::processEvents();

    std::mt19937 random(20261209);
    const int keys[] = {Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,
                        Qt::Key_PageUp, Qt::Key_Return, Qt::Key_Escape,   Qt::Key_Insert,
                        Qt::Key_Delete, Qt::Key_Tab,    Qt::Key_Backspace};
    const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier,
                                          Qt::AltModifier};
    for (int step = 0; step < 1500; ++step) {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = &view;
        const int action = random() % 10;
        if (action < 5) {
            QTest::keyClick(target, static_cast<Qt::Key>(keys[random() % std::size(keys)]),
                            mods[random() % std::size(mods)]);
        } else if (action < 8) {
            QTest::keyClicks(target, QString(QChar("ab1 "[random() % 4])));
        } else {
            const QPoint p(random() % view.viewport()->width(),
                           random() % view.viewport()->height());
            if (random() % 4 == 0)
                QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, p);
            else
                QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, p);
        }
        QApplication::processEvents();
        const auto shown = grid->DisplayedRows();
        const auto all = grid->AllRows();
        grid->RebuildRows();
        ASSERT_EQ(shown, grid->DisplayedRows()) << "step " << step;
        ASSERT_EQ(all, grid->AllRows()) << "step " << step;
        ASSERT_LT(grid->Row(), grid->RowCount());
        ASSERT_EQ(grid->ItemCount(), grid->FixedItems() + std::max<int>(1, shown.size()));
    }
    SUCCEED() << errors << " inputs were refused";
}
} // namespace

TEST(InputStress, RandomInputKeepsTheGridConsistent)
{
    RunRandomInput(goVertical, false);
}

TEST(InputStress, RandomInputAcrossAndByCategory)
{
    RunRandomInput(goHorizontal, false);
    RunRandomInput(goVertical, true);
}
