#include "support/DesignerSingletons.h"
#include "support/HookGuard.h"

#include "controls/LXButton.h"
#include "controls/LXPanel.h"
#include "designer/DesignerMessagesHandler.h"
#include "designer/DesignerOptions.h"

#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace
{

// Drags through real mouse events with a fresh handler installed.
class DragGuidesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EnsureDesignerSingletons();
        installed.emplace(DesignerHandler, &handler);
        handler.OnChange = [this](QObject *) { ++changes; };
        surface.resize(600, 400);
        surface.show();
    }

    TLXButton *Button(QWidget *parent, int x, int y, int w, int h)
    {
        auto *b = new TLXButton(parent);
        b->setGeometry(x, y, w, h);
        b->show();
        return b;
    }

    void Press(QWidget *control, QPoint at, Qt::KeyboardModifiers mods = {})
    {
        pressed = control->mapToGlobal(at);
        QTest::mousePress(control, Qt::LeftButton, mods, at);
    }

    // The mouse moved by delta from where it was pressed.
    void Move(QWidget *control, QPoint delta, Qt::KeyboardModifiers mods = {})
    {
        const QPoint global = pressed + delta;
        QMouseEvent move(QEvent::MouseMove, control->mapFromGlobal(global), global, Qt::NoButton,
                         Qt::LeftButton, mods);
        QCoreApplication::sendEvent(control, &move);
    }

    void Release(QWidget *control)
    {
        QTest::mouseRelease(control, Qt::LeftButton, {}, control->mapFromGlobal(QCursor::pos()));
    }

    void Drag(QWidget *control, QPoint at, QPoint delta, Qt::KeyboardModifiers mods = {})
    {
        Press(control, at, mods);
        Move(control, delta, mods);
        Release(control);
    }

    bool ShowsLine(bool vertical, int pos) const
    {
        if (!handler.Overlay())
            return false;
        const std::vector<TGuideLine> &lines = handler.Overlay()->Lines();
        return std::any_of(lines.begin(), lines.end(), [&](const TGuideLine &l) {
            return l.Vertical == vertical && l.Pos == pos;
        });
    }

    TDesignerMessagesHandler handler;
    std::optional<THookGuard> installed;
    QWidget surface;
    QPoint pressed;
    int changes = 0;
};

TEST_F(DragGuidesTest, GuidesWinOverTheGridWhileAltAndTheOptionsPlaceFreely)
{
    Button(&surface, 103, 103, 100, 50);
    TLXButton *b = Button(&surface, 350, 250, 100, 50);
    // To (349, 105): the left goes to the grid, the top onto the neighbour's.
    Press(b, {30, 20});
    Move(b, {-1, -145});
    EXPECT_EQ(b->pos(), QPoint(345, 103));
    ASSERT_TRUE(handler.Overlay());
    EXPECT_TRUE(ShowsLine(false, 103));
    EXPECT_FALSE(ShowsLine(true, 345));
    const std::vector<TGuideDistance> &gaps = handler.Overlay()->Distances();
    EXPECT_TRUE(std::any_of(gaps.begin(), gaps.end(), [](const TGuideDistance &d) {
        return d.Horizontal && d.From == 203 && d.To == 345;
    })) << "the gap to the neighbour on the left";
    Release(b);
    EXPECT_FALSE(handler.Overlay()) << "nothing is left drawn after the drag";
    EXPECT_EQ(changes, 1);

    Drag(b, {30, 20}, {4, 2}, Qt::AltModifier);
    EXPECT_EQ(b->pos(), QPoint(349, 105)) << "Alt snaps to nothing";
    handler.SnapToGuides = false;
    Drag(b, {30, 20}, {1, -1});
    EXPECT_EQ(b->pos(), QPoint(350, 100)) << "the grid alone";
    Press(b, {30, 20});
    EXPECT_FALSE(handler.Overlay());
    Release(b);
    handler.SnapToGrid = false;
    Drag(b, {30, 20}, {2, 2});
    EXPECT_EQ(b->pos(), QPoint(352, 102));
    handler.GridStep = 20;
    handler.SnapToGrid = true;
    Drag(b, {30, 20}, {9, 9});
    EXPECT_EQ(b->pos(), QPoint(360, 100)) << "the grid step chosen";
}

TEST_F(DragGuidesTest, ResizingSnapsTheDraggedEdgeOnly)
{
    Button(&surface, 103, 103, 100, 50);
    TLXButton *b = Button(&surface, 100, 250, 100, 50);
    Press(b, {98, 25}); // the right-hand handle
    Move(b, {2, 0});
    EXPECT_EQ(b->geometry(), QRect(100, 250, 103, 50));
    EXPECT_TRUE(ShowsLine(true, 203));
    Release(b);
    Drag(b, {51, 1}, {0, 3}); // the top handle: 253 goes to the grid
    EXPECT_EQ(b->geometry(), QRect(100, 250, 103, 50));
}

TEST_F(DragGuidesTest, ASelectionSnapsAsOneToItsOwnContainersControls)
{
    TLXButton *a = Button(&surface, 10, 10, 50, 20);
    TLXButton *b = Button(&surface, 100, 10, 50, 20);
    Button(&surface, 203, 200, 50, 20);
    handler.SelectControls({a, b}, false);
    // The selection's right edge 205 goes onto 203.
    Drag(b, {25, 10}, {55, 0}, Qt::ShiftModifier);
    EXPECT_EQ(a->pos(), QPoint(63, 10));
    EXPECT_EQ(b->pos(), QPoint(153, 10));

    // Inside a panel only its own controls and edges guide: the control at
    // 66 on the surface does not.
    auto *panel = new TLXPanel(&surface);
    panel->setGeometry(50, 250, 300, 140);
    panel->show();
    Button(panel, 10, 10, 50, 20);
    TLXButton *d = Button(panel, 100, 100, 50, 20);
    Button(&surface, 66, 10, 20, 20);
    Drag(d, {25, 10}, {-34, 0});
    EXPECT_EQ(d->pos(), QPoint(65, 100));
    Drag(d, {25, 10}, {-53, 0});
    EXPECT_EQ(d->pos(), QPoint(10, 100)) << "onto the left edge of the panel's control";
}

TEST_F(DragGuidesTest, PanelsShowTheGridAndTheOptionsAreKept)
{
    auto *panel = new TLXPanel(&surface);
    panel->setGeometry(10, 10, 200, 100);
    panel->show();
    QImage shot = panel->grab().toImage();
    EXPECT_NE(shot.pixel(20, 20), shot.pixel(22, 22));
    EXPECT_EQ(shot.pixel(20, 15), shot.pixel(20, 20)) << "every 5 pixels";
    handler.GridStep = 20;
    shot = panel->grab().toImage();
    EXPECT_EQ(shot.pixel(20, 15), shot.pixel(22, 22));
    EXPECT_NE(shot.pixel(20, 20), shot.pixel(22, 22));
    handler.ShowGrid = false;
    shot = panel->grab().toImage();
    EXPECT_EQ(shot.pixel(20, 20), shot.pixel(22, 22));

    handler.SnapToGuides = false;
    TDesignerOptions::Store(handler);
    TDesignerMessagesHandler restored;
    TDesignerOptions::Restore(restored);
    EXPECT_EQ(restored.GridStep, 20);
    EXPECT_FALSE(restored.ShowGrid);
    EXPECT_TRUE(restored.SnapToGrid);
    EXPECT_FALSE(restored.SnapToGuides);
    TDesignerOptions::Store(TDesignerMessagesHandler());
}

} // namespace
