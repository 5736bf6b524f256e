#include "support/DesignerSingletons.h"

#include "app/Main.h"
#include "controls/LXDesigned.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "designer/TabOrderMode.h"
#include "reflection/TypInfo.h"

#include <QPointer>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace
{

const int EditBox = 2;

int64_t TabOrder(QWidget *control)
{
    return TypInfo::GetOrdProp(AsDesigned(control), "TabOrder");
}

void Click(QWidget *mode, QWidget *control)
{
    QTest::mouseClick(mode, Qt::LeftButton, {}, control->geometry().center());
}

TEST(TabOrderModeTest, ClicksNumberTheControlsInTurnAndEscMakesOneUndoStep)
{
    EnsureDesignerSingletons();
    TForm1 form;
    QWidget *a = form.AddControl(EditBox, 10, nullptr, 10);
    QWidget *b = form.AddControl(EditBox, 100, nullptr, 10);
    QWidget *c = form.AddControl(EditBox, 200, nullptr, 10);
    ASSERT_EQ(TabOrder(a) + TabOrder(b) + TabOrder(c), 3) << "0, 1 and 2 to begin with";
    DesignerHandler->ClearSelection();
    QUndoStack &stack = form.History()->Stack();
    const int steps = stack.count();

    QPointer<TTabOrderMode> mode =
        TTabOrderMode::Start(form.Container()->ClientWidget(), *form.History());
    Click(mode, c);
    Click(mode, a);
    Click(mode, a);
    QTest::mouseClick(mode, Qt::LeftButton, {}, QPoint(5, 300)); // empty surface
    EXPECT_EQ(mode->Assigned(), (std::vector<QWidget *>{c, a}));
    EXPECT_EQ(TabOrder(c), 2) << "nothing is written before the mode ends";
    QTest::keyClick(mode, Qt::Key_Escape);
    EXPECT_EQ(TabOrder(c), 0);
    EXPECT_EQ(TabOrder(a), 1);
    EXPECT_EQ(TabOrder(b), 2);
    EXPECT_EQ(stack.count(), steps + 1);
    EXPECT_EQ(stack.undoText(), "Tab Order");
    stack.undo();
    EXPECT_EQ(TabOrder(a), 0);
    EXPECT_EQ(TabOrder(b), 1);
    EXPECT_EQ(TabOrder(c), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(mode) << "the mode is gone";

    // With a control of a panel selected, the panel's controls are numbered;
    // leaving without a click makes no step.
    QWidget *panel = form.AddControl(8, 300, nullptr, 100);
    form.AddControl(EditBox, 5, panel, 5);
    QWidget *second = form.AddControl(EditBox, 5, panel, 40);
    DesignerHandler->SelectControl(second, false);
    const int before = stack.count();
    mode = TTabOrderMode::Start(form.Container()->ClientWidget(), *form.History());
    EXPECT_EQ(mode->parentWidget(), second->parentWidget());
    QTest::keyClick(mode, Qt::Key_Escape);
    EXPECT_EQ(stack.count(), before);
    mode = TTabOrderMode::Start(form.Container()->ClientWidget(), *form.History());
    Click(mode, second);
    QTest::keyClick(mode, Qt::Key_Escape);
    EXPECT_EQ(TabOrder(second), 0);
    EXPECT_EQ(stack.count(), before + 1);
}

} // namespace
