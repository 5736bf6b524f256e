// The Problems dock in the window: it follows edits and undo, leads to the
// control and its property, keeps the checks switched off, and the stress
// preview changes nothing of the design.
#include "support/ActiveWindow.h"
#include "support/DesignerSingletons.h"
#include "support/NamedControl.h"
#include "support/SavedLayout.h"

#include "app/Main.h"
#include "app/ProblemsDock.h"
#include "app/StressPreview.h"
#include "checks/StressedCopy.h"
#include "controls/Font.h"
#include "designer/DesignHistory.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/LXControlsContainer.h"
#include "inspector/RSCustomObjectInspector.h"
#include "inspector/RSObjectInspector.h"
#include "propgrid/RSItemProp.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

namespace
{

class ProblemsDockTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        form = std::make_unique<TForm1>();
        form->resize(1000, 700);
        QCoreApplication::processEvents();
    }
    void TearDown() override { form.reset(); }

    TProblemsDock &Dock() { return *form->ProblemsDock(); }
    QStringList Lines()
    {
        QCoreApplication::processEvents();
        QStringList lines;
        for (const TLayoutProblem &p : Dock().Problems())
            lines << p.Check + ' ' + p.Path;
        return lines;
    }
    // Every line in full, as the changes left it and as a whole check finds
    // it.
    QStringList Full(bool whole)
    {
        if (whole)
            Dock().Refresh();
        else
            QCoreApplication::processEvents();
        QStringList lines;
        for (const TLayoutProblem &p : Dock().Problems())
            lines << p.Check + ' ' + p.Path + ": " + p.Message;
        return lines;
    }
    // Edits a control's values as the inspector does, as one step.
    void Edit(QWidget *control, const std::function<void(TLXDesigned *)> &change)
    {
        form->History()->BeginPropertyEdit({control}, QStringLiteral("Edit"));
        change(AsDesigned(control));
        form->History()->FinishPropertyEdit();
    }
    QTreeWidget *List() { return Dock().findChild<QTreeWidget *>("ProblemsList"); }
    QAction *Action(const QString &name) { return form->findChild<QAction *>(name); }
    std::string Bytes() { return SavedLayout(*form->Container(), dir); }
    QWidget *Button(const char *name, QRect geometry, const char *caption)
    {
        QWidget *button =
            AddNamedControl("Button", form->Container()->ClientWidget(), name, geometry, caption);
        button->show();
        Dock().Refresh();
        return button;
    }

    // A panel holding two buttons side by side, and a button far from it.
    struct TBoxAndFar {
        QWidget *Box;
        QWidget *Inner;
        QWidget *Far;
    };
    TBoxAndFar BoxAndFar()
    {
        QWidget *box =
            AddNamedControl("Panel", form->Container()->ClientWidget(), "Box", {300, 10, 200, 100});
        QWidget *inner = AddNamedControl("Button", box, "Inner", {10, 10, 80, 25}, "Ok");
        AddNamedControl("Button", box, "Second", {100, 10, 80, 25}, "No");
        return {box, inner, Button("Far", {10, 200, 80, 25}, "Far")};
    }

    std::unique_ptr<TForm1> form;
    QTemporaryDir dir;
};

TEST_F(ProblemsDockTest, TheListFollowsEditsAndUndo)
{
    QWidget *button = Button("Go", {10, 10, 120, 25}, "Continue");
    EXPECT_TRUE(Lines().isEmpty());
    auto *count = Dock().CountLabel();
    EXPECT_EQ(count->text(), "No problems");

    // Narrowed until the caption is cut, then undone.
    form->History()->Nudge({button}, -100, 0, true, false);
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});
    EXPECT_EQ(count->text(), "1 problem");
    EXPECT_EQ(List()->topLevelItemCount(), 1);
    form->History()->Stack().undo();
    EXPECT_TRUE(Lines().isEmpty());
    form->History()->Stack().redo();
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});

    // A move onto another control adds an overlap; moving back removes it.
    QWidget *other = Button("Other", {200, 10, 80, 25}, "Other");
    form->History()->Nudge({other}, -185, 0, false, false);
    EXPECT_EQ(Lines(), (QStringList{"clipped-text Go", "overlap Other"}));
    form->History()->Stack().undo();
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});
}

TEST_F(ProblemsDockTest, AStepIsCheckedAgainOnlyInTheContainersItTouched)
{
    const auto [box, inner, far] = BoxAndFar();
    ASSERT_TRUE(Lines().isEmpty());

    // Changed behind the history's back, the surface stands for a part no
    // step touches: it is not looked at again until a whole check.
    far->resize(10, 25);
    form->History()->Nudge({inner}, 50, 0, false, false);
    EXPECT_EQ(Lines(), QStringList{"overlap Box/Second"});
    Dock().Refresh();
    EXPECT_EQ(Lines(), (QStringList{"clipped-text Far", "overlap Box/Second"}));
}

TEST_F(ProblemsDockTest, WhatTheStepsLeaveEqualsAWholeCheck)
{
    const auto [box, inner, far] = BoxAndFar();
    const QStringList start = Full(true);
    QStringList seen;
    const auto expectWhole = [&](const char *step) {
        seen = Full(false);
        EXPECT_EQ(seen, Full(true)) << step;
    };

    form->History()->Nudge({inner}, 50, 0, false, false);
    expectWhole("move into a sibling");
    // The container's new name is in the paths of its children's problems.
    Edit(box, [](TLXDesigned *d) { d->SetName(QStringLiteral("Frame")); });
    expectWhole("rename of the container");
    EXPECT_TRUE(seen.join('\n').contains("overlap Frame/Second")) << seen.join('\n').toStdString();
    // A larger font of the container is its children's: their captions no
    // longer fit; the container's own next rename is in those problems.
    Edit(box, [](TLXDesigned *d) { d->Font()->SetSize(d->Font()->Size() * 3); });
    expectWhole("font of the container");
    EXPECT_TRUE(seen.join('\n').contains("clipped-text Frame/Inner"))
        << seen.join('\n').toStdString();
    Edit(box, [](TLXDesigned *d) { d->SetName(QStringLiteral("Group")); });
    expectWhole("second rename of the container");
    EXPECT_TRUE(seen.join('\n').contains("clipped-text Group/Inner"))
        << seen.join('\n').toStdString();
    Edit(box, [](TLXDesigned *d) { d->SetName(QStringLiteral("Frame")); });
    // Narrowed, the container leaves its children outside.
    form->History()->Nudge({box}, -150, 0, true, false);
    expectWhole("resize of the container");
    EXPECT_TRUE(seen.join('\n').contains("off-area Frame/Second")) << seen.join('\n').toStdString();
    // A name taken twice is a problem of the whole form.
    Edit(far, [](TLXDesigned *d) { d->SetName(QStringLiteral("Inner")); });
    expectWhole("rename onto another's name");
    EXPECT_TRUE(seen.join('\n').contains("ambiguous-name")) << seen.join('\n').toStdString();
    Edit(inner, [](TLXDesigned *d) { d->SetText(QStringLiteral("A caption far too long")); });
    expectWhole("caption");

    QUndoStack &stack = form->History()->Stack();
    while (stack.canUndo()) {
        stack.undo();
        expectWhole("undo");
    }
    EXPECT_EQ(seen, start);
    while (stack.canRedo()) {
        stack.redo();
        expectWhole("redo");
    }
}

TEST_F(ProblemsDockTest, ClickSelectsTheControlAndDoubleClickItsProperty)
{
    QWidget *button = Button("Go", {10, 10, 20, 25}, "Continue");
    Button("Fine", {10, 50, 120, 25}, "Fine");
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    QTreeWidgetItem *item = List()->topLevelItem(0);
    List()->setCurrentItem(item);
    emit List()->itemClicked(item, 0);
    ASSERT_EQ(DesignerHandler->Selection().size(), 1u);
    EXPECT_EQ(DesignerHandler->Selection().front(), button);

    emit List()->itemDoubleClicked(item, 0);
    QCoreApplication::processEvents();
    const TRSItemProp *row = form->ObjectInspector()->Inspector()->CurrentRow();
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->Name(), "Caption");
}

TEST_F(ProblemsDockTest, ASwitchedOffCheckStaysOffInTheNextRun)
{
    Button("Go", {10, 10, 20, 25}, "Continue");
    ASSERT_EQ(Lines(), QStringList{"clipped-text Go"});
    QAction *clipped = Action("Check:clipped-text");
    ASSERT_NE(clipped, nullptr);
    ASSERT_TRUE(clipped->isChecked());
    clipped->trigger();
    EXPECT_TRUE(Lines().isEmpty());

    form = std::make_unique<TForm1>();
    EXPECT_FALSE(Action("Check:clipped-text")->isChecked());
    Button("Go", {10, 10, 20, 25}, "Continue");
    EXPECT_TRUE(Lines().isEmpty());
    Action("Check:clipped-text")->trigger();
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});
}

TEST_F(ProblemsDockTest, StressPreviewChangesNeitherBytesNorHistory)
{
    QWidget *button = Button("Go", {10, 10, 75, 25}, "Continue");
    form->History()->Nudge({button}, 2, 0, false, false);
    const std::string before = Bytes();
    const int index = form->History()->Stack().index();
    const int steps = form->History()->Stack().count();
    ASSERT_TRUE(Lines().isEmpty());

    Action("Stress200")->trigger();
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});
    ASSERT_EQ(form->StressPreview()->Marks().size(), 1u);
    EXPECT_EQ(form->StressPreview()->Marks().front().Control, button);
    EXPECT_FALSE(form->StressPreview()->isHidden());
    // What shows is a copy with the longer caption, where the button stands.
    ASSERT_NE(form->StressPreview()->Copy(), nullptr);
    auto *shown = form->StressPreview()->Copy()->Client()->findChild<QAbstractButton *>("Go");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), TTextStress(200, true).Text("Continue"));
    EXPECT_EQ(shown->geometry(), button->geometry());
    EXPECT_TRUE(Bytes() == before);
    EXPECT_EQ(form->History()->Stack().index(), index);
    EXPECT_EQ(form->History()->Stack().count(), steps);

    // A click on the copy selects the design's control; a change to it shows.
    QWidget *preview = form->StressPreview();
    const QPoint at = button->mapTo(form->Container()->viewport(), QPoint(5, 5));
    QMouseEvent press(QEvent::MouseButtonPress, at, preview->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(preview, &press);
    ASSERT_EQ(DesignerHandler->Selection().size(), 1u);
    EXPECT_EQ(DesignerHandler->Selection().front(), button);
    Edit(button, [](TLXDesigned *d) { d->SetText(QStringLiteral("Go")); });
    EXPECT_TRUE(Full(false).join('\n').contains("\"G\u00f3G\" needs"));
    shown = form->StressPreview()->Copy()->Client()->findChild<QAbstractButton *>("Go");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), TTextStress(200, true).Text("Go"));
    form->History()->Stack().undo();
    EXPECT_EQ(Lines(), QStringList{"clipped-text Go"});
    EXPECT_TRUE(Bytes() == before);

    // The copy follows each step without being made anew: a move, and a
    // larger font of a panel, which its child shows twice as large.
    const TStressedCopy *copy = form->StressPreview()->Copy();
    form->History()->Nudge({button}, 0, 40, false, false);
    Lines();
    EXPECT_EQ(form->StressPreview()->Copy(), copy);
    EXPECT_EQ(copy->Client()->findChild<QWidget *>("Go")->geometry(), button->geometry());
    QWidget *panel =
        AddNamedControl("Panel", form->Container()->ClientWidget(), "Box", {200, 10, 200, 100});
    QWidget *inner = AddNamedControl("Button", panel, "Inner", {10, 10, 80, 25}, "Ok");
    Dock().Refresh();
    copy = form->StressPreview()->Copy();
    Edit(panel, [](TLXDesigned *d) { d->Font()->SetSize(d->Font()->Size() * 2); });
    Lines();
    ASSERT_EQ(form->StressPreview()->Copy(), copy);
    QWidget *shownInner = form->StressPreview()->Copy()->Client()->findChild<QWidget *>("Inner");
    ASSERT_NE(shownInner, nullptr);
    EXPECT_DOUBLE_EQ(shownInner->font().pointSizeF(), 2 * inner->font().pointSizeF());
    form->History()->Stack().undo();
    Lines();
    ASSERT_EQ(form->StressPreview()->Copy(), copy);
    EXPECT_DOUBLE_EQ(shownInner->font().pointSizeF(), 2 * inner->font().pointSizeF());

    // The wheel over the preview scrolls the surface below it.
    Button("Low", {10, 3000, 80, 25}, "Low");
    ASSERT_TRUE(ShowActive(*form, {1000, 700}));
    QScrollBar *bar = form->Container()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    const QPointF under(50, 50);
    QWheelEvent wheel(under, preview->mapToGlobal(under), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(preview, &wheel);
    EXPECT_GT(bar->value(), 0);

    const int stepsNow = form->History()->Stack().count();
    const std::string bytesNow = Bytes();
    Action("Stress100")->trigger();
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(form->StressPreview()->Marks().empty());
    EXPECT_TRUE(form->StressPreview()->isHidden());
    EXPECT_EQ(form->StressPreview()->Copy(), nullptr);
    EXPECT_TRUE(Bytes() == bytesNow);
    EXPECT_EQ(form->History()->Stack().count(), stepsNow);
}

} // namespace
